#pragma once
// Stand-in for the resources layer's log until that layer is part of the build.
void LogLine(const char* line);
void LogFormatted(const char* format, ...);
