// Loading a plug-in's shared object, for the programs that host it (tests and tools).
#pragma once

#include <string>

namespace platform
{

// Loads the shared object at path with its own symbol scope; nullptr on failure, with the reason in error.
void* OpenSharedLibrary(const std::string& path, std::string* error);
// The address of an exported symbol, or nullptr.
void* FindSymbol(void* library, const char* name);

} // namespace platform
