#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "resources/Log.h"
#include "resources/StringTable.h"

void LogLine(const char* line) { std::fprintf(stderr, "%s\n", line ? line : ""); }

void LogFormatted(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  LogLine(line);
}

size_t StringTableLookup(const char* key, char* out, size_t size, const char*, bool) {
  if (!out || size == 0) return 0;
  std::snprintf(out, size, "%s", key ? key : "");
  return std::strlen(out);
}
