// The operating-system layer: everything the instrument needs from the system,
// behind plain functions. One implementation per operating system is chosen by
// the build; no other layer includes an OS header.
//
// Threads: every function may be called from any thread unless noted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{

// --- The module -----------------------------------------------------------

// Canonical absolute path of the shared object (or program) that contains this
// code, or the override set by SetModuleFileName. Empty when it cannot be found.
std::string ModuleFileName();
// Overrides ModuleFileName (tests, tools that link the instrument statically);
// an empty string removes the override.
void SetModuleFileName(const std::string& path);
// The characters that may end a folder's name in a path ("/", or both slashes
// on Windows).
const char* PathSeparators();

// --- Time -----------------------------------------------------------------

// Milliseconds from a monotonic clock, wrapping as unsigned 32-bit; differences
// of two readings stay right across the wrap.
uint32_t GetTickCount();
// Same clock as GetTickCount (the multimedia timer of the Windows build).
uint32_t TimeGetTime();
// The tick reading for a monotonic clock value (seconds and nanoseconds).
uint32_t TickFromClock(uint64_t seconds, uint32_t nanoseconds);
void SleepMilliseconds(uint32_t milliseconds);
// The processor time the calling thread has used, in seconds (user and system); 0 when it cannot be read.
// For benchmarks that time one thread's work whatever else the machine runs.
double ThreadProcessorSeconds();

struct LocalTime
{
    int year;  // four digits
    int month; // 1..12
    int day;   // 1..31
    int hour;
    int minute;
    int second;
    int milliseconds;
};
LocalTime GetLocalTime();

// --- Threads --------------------------------------------------------------

// Starts a detached thread running entry(arg); false when it cannot be started.
bool StartThread(void (*entry)(void*), void* arg);

// --- Start-up probes (written to the log at start-up) ------------------------

// One line naming the distribution, kernel and machine.
std::string OsDescription();

struct MemoryStatus
{
    uint32_t memoryLoad; // percentage of physical memory in use
    uint64_t availPhys;  // bytes
    uint64_t totalPhys;
    uint64_t availPageFile; // swap stands for the paging file
    uint64_t totalPageFile;
    uint64_t availVirtual; // the process's address space
    uint64_t totalVirtual;
};
bool GetMemoryStatus(MemoryStatus& status);

struct FixedDrive
{
    std::string root;            // mount point
    uint64_t freeBytesAvailable; // bytes available to this process
};
// Each real mounted local file system, in mount order; stops once boundMs
// milliseconds have passed since the call began.
std::vector<FixedDrive> FixedDrives(uint32_t boundMs);

// Nominal processor speed in MHz; 0 when unknown.
uint32_t CpuSpeedMHz();

// --- Product --------------------------------------------------------------

struct ProductVersion
{
    int major;
    int minor;
    int patch;
    int build;
};
// The project version the module was built with.
ProductVersion GetProductVersion();

// --- Desktop --------------------------------------------------------------

// Opens the help file without waiting for it; does nothing when the file does
// not exist. With a section the opener gets the file's URL with that fragment,
// so an HTML manual opens at the section. Linux hands it to the desktop's
// opener, Windows to the shell.
void OpenHelpFile(const std::string& path, const std::string& section = std::string());
// The program OpenHelpFile runs with the file as its one argument ("xdg-open"
// on Linux, the shell's handler on Windows unless changed; tests point it at a
// harmless program).
void SetHelpOpener(const std::string& program);

constexpr unsigned kMessageBoxOk = 0x00;
constexpr unsigned kMessageBoxIconExclamation = 0x30;
constexpr int kIdOk = 1;

// Shows a message to the user and returns the pressed button (kIdOk). Without a
// handler the system shows it: a message box on Windows, "caption: text" on
// standard error on Linux. The caller logs.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);
// Lets the GUI toolkit show real message boxes; nullptr restores the default.
using MessageBoxHandler = int (*)(const std::string& text, const std::string& caption, unsigned style);
void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
