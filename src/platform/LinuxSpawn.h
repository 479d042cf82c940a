// Starting helper programs from inside a host process.
#pragma once

#include <string>
#include <vector>

namespace platform
{

// Starts program (searched on PATH) with the arguments, its standard input and
// output on /dev/null, without waiting for it; a detached thread reaps it so no
// zombie is left. Returns the process id, or -1 when it could not be started.
int SpawnReaped(const std::string& program, const std::vector<std::string>& arguments);

} // namespace platform
