// The system-specific half of ModuleFileName: each system's Module*.cpp finds the file of the module that
// holds this code. Internal to the platform layer.
#pragma once

#include <string>

namespace platform
{

// The module's absolute path as the system reports it, or "" when it cannot be found. Called once; the
// answer is kept by ModuleFileName.
std::string FindModuleFileName();

} // namespace platform
