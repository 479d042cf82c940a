// The plug-in's log file: one per process, plain text, each line prefixed with
// the local time to the millisecond and ended by "\r\n", flushed at once.
// Threads: any thread may log; one lock makes every line whole in the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace resources
{

// Starts the log again at path: the next line written creates or empties it.
void LogStart(const std::string& path);
// Writes one line; an empty text writes nothing.
void LogLine(const char* text);
// Formats with printf rules (longer than 2047 characters is cut) into one line.
void LogFormatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The path given to the most recent LogStart (empty before the first).
std::string LogCurrentPath();

// Start-up lines. An instance starting up writes LogStartingUp, then its
// VersionText line, then LogSystemInformation.
// "Starting up on %d/%02d/%4d!" with the local month, day and year.
void LogStartingUp();
void LogOsDescription();
// Four lines: load, physical, paging file, virtual (decimal megabytes).
void LogMemoryStatus();
// "%s has %0.2f MB free." per local file system (megabytes of 1048576 bytes).
void LogDiskSpace();
// "CPU Speed: %f GHz", only when the speed is known.
void LogCpuSpeed();
// The operating system, memory, disk and processor lines, in that order.
void LogSystemInformation();

// The same lines for given measurements.
void LogMemoryLines(const platform::MemoryStatus& status);
void LogDiskLines(const std::vector<platform::FixedDrive>& drives);
void LogCpuLine(uint32_t megahertz);

} // namespace resources
