// Hands files to the desktop's opener.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <mutex>

#include "platform/LinuxSpawn.h"
#include "platform/Platform.h"

extern char** environ;

namespace platform
{
namespace
{

std::mutex gOpenerMutex;
std::string gOpener = "xdg-open";

void ReapChild(void* raw)
{
    const pid_t pid = static_cast<pid_t>(reinterpret_cast<intptr_t>(raw));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
    {
    }
}

bool FileExists(const std::string& path)
{
    struct stat info
    {
    };
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

int SpawnReaped(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    if (posix_spawnattr_init(&attributes) != 0)
    {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // The host's blocked and ignored signals must not leak into the opener.
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int result = posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        return -1;
    if (!StartThread(&ReapChild, reinterpret_cast<void*>(static_cast<intptr_t>(pid))))
    {
        // Without a reaper collect it if it has already finished; at worst one
        // zombie stays until the host exits.
        int status = 0;
        waitpid(pid, &status, WNOHANG);
    }
    return static_cast<int>(pid);
}

void SetHelpOpener(const std::string& program)
{
    std::lock_guard<std::mutex> lock(gOpenerMutex);
    gOpener = program.empty() ? std::string("xdg-open") : program;
}

void OpenHelpFile(const std::string& path, int context)
{
    // The desktop opener has no notion of a help topic; the file opens at its start.
    (void)context;
    if (!FileExists(path))
        return;
    std::string opener;
    {
        std::lock_guard<std::mutex> lock(gOpenerMutex);
        opener = gOpener;
    }
    SpawnReaped(opener, {path});
}

} // namespace platform
