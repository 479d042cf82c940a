// A loadable module that reports where it was loaded from.
#include <cstring>

#include "platform/Platform.h"

#if defined(_WIN32)
#define PROBE_EXPORT __declspec(dllexport)
#else
#define PROBE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" PROBE_EXPORT void ModuleProbeFileName(char* out, size_t size)
{
    const std::string name = platform::ModuleFileName();
    std::strncpy(out, name.c_str(), size - 1);
    out[size - 1] = '\0';
}
