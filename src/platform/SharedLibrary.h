// Loading shared libraries: a plug-in's, for the programs that host it (tests and tools), and on Windows
// the libraries the plug-in itself loads at run time.
#pragma once

#include <string>

namespace platform
{

// Loads the shared object at path with its own symbol scope; nullptr on failure, with the reason in error.
void* OpenSharedLibrary(const std::string& path, std::string* error);
// The address of an exported symbol, or nullptr.
void* FindSymbol(void* library, const char* name);

// Windows: loads fileName from folder (a path that ends in a separator), so that the libraries it needs
// beside it are found there too, else through the system's normal search. Never freed. nullptr on failure,
// with what was looked for, where, and why each attempt failed in error; where receives the file loaded.
void* OpenLibraryBeside(const std::string& folder, const std::string& fileName, std::string* where,
                        std::string* error);
// Windows: unloads a library that OpenLibraryBeside loaded and that is not used after all, so that a later
// search by its name does not find it loaded.
void CloseLibrary(void* library);

} // namespace platform
