// A loadable module that reports where it was loaded from.
#include <cstring>

#include "host/ModuleExport.h"
#include "platform/Platform.h"

extern "C" VIRELLANDO_EXPORT void ModuleProbeFileName(char* out, size_t size)
{
    const std::string name = platform::ModuleFileName();
    std::strncpy(out, name.c_str(), size - 1);
    out[size - 1] = '\0';
}
