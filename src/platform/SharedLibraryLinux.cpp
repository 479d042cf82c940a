#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace platform
{

void* OpenSharedLibrary(const std::string& path, std::string* error)
{
    // Never unloaded: a plug-in may leave a background thread running inside its code.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (library == nullptr && error != nullptr)
    {
        const char* reason = dlerror();
        *error = reason != nullptr ? reason : "cannot load " + path;
    }
    return library;
}

void* FindSymbol(void* library, const char* name)
{
    return library != nullptr ? dlsym(library, name) : nullptr;
}

} // namespace platform
