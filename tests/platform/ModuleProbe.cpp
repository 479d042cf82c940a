// A loadable module that reports where it was loaded from.
#include <cstring>

#include "platform/Platform.h"

extern "C" __attribute__((visibility("default"))) void ModuleProbeFileName(char* out, size_t size)
{
    const std::string name = platform::ModuleFileName();
    std::strncpy(out, name.c_str(), size - 1);
    out[size - 1] = '\0';
}
