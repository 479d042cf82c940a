// The start-up lines that describe the machine.
#include "resources/Log.h"

namespace resources
{
namespace
{

// The disk loop gives up after this long (a slow or sleeping drive).
constexpr uint32_t kDiskProbeBoundMs = 20000;

double DecimalMegabytes(uint64_t bytes)
{
    return static_cast<double>(bytes) / 1000000.0;
}

// A probe that runs out of memory writes no line rather than throwing into the host.
template <typename Probe> void Guarded(Probe probe)
{
    try
    {
        probe();
    }
    catch (...)
    {
    }
}

} // namespace

void LogStartingUp()
{
    const platform::LocalTime now = platform::GetLocalTime();
    LogFormatted("Starting up on %d/%02d/%4d!", now.month, now.day, now.year);
}

void LogOsDescription()
{
    Guarded([] { LogLine(platform::OsDescription().c_str()); });
}

void LogMemoryLines(const platform::MemoryStatus& status)
{
    LogFormatted("Mem in use percentage = %d %%", static_cast<int>(status.memoryLoad));
    LogFormatted("Free physical : %0.2f MB, Total physical : %0.2f MB", DecimalMegabytes(status.availPhys),
                 DecimalMegabytes(status.totalPhys));
    LogFormatted("Free paging file : %0.2f MB, Total paging file : %0.2f MB",
                 DecimalMegabytes(status.availPageFile), DecimalMegabytes(status.totalPageFile));
    LogFormatted("Free virtual : %0.2f MB, Total virtual : %0.2f MB", DecimalMegabytes(status.availVirtual),
                 DecimalMegabytes(status.totalVirtual));
}

void LogMemoryStatus()
{
    Guarded(
        []
        {
            platform::MemoryStatus status{};
            if (platform::GetMemoryStatus(status))
                LogMemoryLines(status);
        });
}

void LogDiskLines(const std::vector<platform::FixedDrive>& drives)
{
    for (const platform::FixedDrive& drive : drives)
    {
        // Binary megabytes, by way of kilobytes.
        const double kilobytes = static_cast<double>(drive.freeBytesAvailable) / 1024.0;
        LogFormatted("%s has %0.2f MB free.", drive.root.c_str(), kilobytes / 1024.0);
    }
}

void LogDiskSpace()
{
    Guarded([] { LogDiskLines(platform::FixedDrives(kDiskProbeBoundMs)); });
}

void LogCpuLine(uint32_t megahertz)
{
    if (megahertz > 0)
        LogFormatted("CPU Speed: %f GHz", megahertz * 0.001);
}

void LogCpuSpeed()
{
    Guarded([] { LogCpuLine(platform::CpuSpeedMHz()); });
}

void LogSystemInformation()
{
    LogOsDescription();
    LogMemoryStatus();
    LogDiskSpace();
    LogCpuSpeed();
}

} // namespace resources
