// Start-up probes read from the system: its version, memory, fixed drives and the processor's rated speed.
#include <windows.h>

#include "platform/Platform.h"

namespace platform
{
namespace
{

// The version as the kernel reports it; GetVersionEx answers as an older release for DLLs of programs that do
// not declare newer ones.
bool KernelVersion(RTL_OSVERSIONINFOEXW& info)
{
    using RtlGetVersionProc = LONG(WINAPI*)(RTL_OSVERSIONINFOEXW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr)
        return false;
    auto getVersion =
        reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    info = RTL_OSVERSIONINFOEXW{};
    info.dwOSVersionInfoSize = sizeof info;
    return getVersion != nullptr && getVersion(&info) == 0;
}

std::string RegistryText(HKEY root, const char* key, const char* value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::string();
    char text[256] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    return std::string(text);
}

std::string ReleaseName(const RTL_OSVERSIONINFOEXW& info)
{
    const DWORD major = info.dwMajorVersion;
    const DWORD minor = info.dwMinorVersion;
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return minor == 0 ? "Microsoft Windows 95"
                          : (minor == 10 ? "Microsoft Windows 98" : "Microsoft Windows Millennium Edition");
    if (major <= 4)
        return "Microsoft Windows NT";
    if (major == 5)
        return minor == 0 ? "Microsoft Windows 2000" : "Microsoft Windows XP";
    if (major == 6)
    {
        switch (minor)
        {
        case 0:
            return "Microsoft Vista";
        case 1:
            return "Microsoft Windows 7";
        case 2:
            return "Microsoft Windows 8";
        default:
            return "Microsoft Windows 8.1";
        }
    }
    return info.dwBuildNumber >= 22000 ? "Microsoft Windows 11" : "Microsoft Windows 10";
}

std::string ProductType()
{
    const std::string type =
        RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType");
    if (type == "WINNT")
        return "Professional";
    if (type == "LANMANNT")
        return "Server";
    if (type == "SERVERNT")
        return "Advanced Server";
    return std::string();
}

std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (; *text != L'\0'; ++text)
        narrow.push_back(*text < 128 ? static_cast<char>(*text) : '?');
    return narrow;
}

using GetDiskFreeSpaceExProc = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

bool FreeBytes(GetDiskFreeSpaceExProc getFreeSpaceEx, const char* root, uint64_t& bytes)
{
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (getFreeSpaceEx != nullptr && getFreeSpaceEx(root, &available, &total, &free))
    {
        bytes = available.QuadPart;
        return true;
    }
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return false;
    bytes = uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;
    return true;
}

} // namespace

std::string OsDescription()
{
    RTL_OSVERSIONINFOEXW info{};
    if (!KernelVersion(info))
        return "Microsoft Windows";
    std::string text = ReleaseName(info);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
    {
        const std::string product = ProductType();
        if (!product.empty())
            text += " " + product;
    }
    text += " version " + std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion);
    const std::string servicePack = Narrow(info.szCSDVersion);
    if (!servicePack.empty())
        text += " " + servicePack;
    text += " (Build " + std::to_string(info.dwBuildNumber & 0xFFFF) + ")";
    return text;
}

bool GetMemoryStatus(MemoryStatus& status)
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory))
        return false;
    status.memoryLoad = memory.dwMemoryLoad;
    status.availPhys = memory.ullAvailPhys;
    status.totalPhys = memory.ullTotalPhys;
    status.availPageFile = memory.ullAvailPageFile;
    status.totalPageFile = memory.ullTotalPageFile;
    status.availVirtual = memory.ullAvailVirtual;
    status.totalVirtual = memory.ullTotalVirtual;
    return true;
}

std::vector<FixedDrive> FixedDrives(uint32_t boundMs)
{
    const uint32_t start = GetTickCount();
    std::vector<FixedDrive> drives;
    char roots[MAX_PATH + 1] = {};
    const DWORD length = GetLogicalDriveStringsA(MAX_PATH, roots);
    if (length == 0 || length > MAX_PATH)
        return drives;
    // Looked up at run time: the oldest releases lack it, and the cluster count stands in.
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    const auto getFreeSpaceEx =
        kernel == nullptr ? nullptr
                          : reinterpret_cast<GetDiskFreeSpaceExProc>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
    for (const char* root = roots; *root != '\0'; root += std::char_traits<char>::length(root) + 1)
    {
        if (GetTickCount() - start >= boundMs)
            break;
        if (GetDriveTypeA(root) != DRIVE_FIXED)
            continue;
        uint64_t bytes = 0;
        if (FreeBytes(getFreeSpaceEx, root, bytes))
            drives.push_back(FixedDrive{root, bytes});
    }
    return drives;
}

uint32_t CpuSpeedMHz()
{
    HKEY processor = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                      KEY_QUERY_VALUE, &processor) != ERROR_SUCCESS)
    {
        return 0;
    }
    DWORD mhz = 0;
    DWORD size = sizeof mhz;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(processor, "~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&mhz), &size);
    RegCloseKey(processor);
    return result == ERROR_SUCCESS && type == REG_DWORD ? mhz : 0;
}

} // namespace platform
