#include <dlfcn.h>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/TempFolder.h"

using namespace platform;

namespace
{

using ProbeFunction = void (*)(char*, size_t);

// Loads the probe module from loadPath and returns what it reports as its own
// file name; removeFirst deletes the file between loading and asking.
std::string LoadedProbeName(const std::string& loadPath, bool removeFirst = false)
{
    void* handle = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        ADD_FAILURE() << dlerror();
        return std::string();
    }
    if (removeFirst)
        std::filesystem::remove(loadPath);
    auto probe = reinterpret_cast<ProbeFunction>(dlsym(handle, "ModuleProbeFileName"));
    std::string name;
    if (probe == nullptr)
    {
        ADD_FAILURE() << "probe function missing";
    }
    else
    {
        char buffer[4096];
        probe(buffer, sizeof buffer);
        name = buffer;
    }
    dlclose(handle);
    return name;
}

TEST(ModuleFileName, LinkedFolderResolvesToTheRealFolder)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "real");
    const std::string copy = (folder.Path() / "real" / "Grand.so").string();
    std::filesystem::copy_file(MODULE_PROBE_PATH, copy);
    std::filesystem::create_directory_symlink(folder.Path() / "real", folder.Path() / "link");
    const std::string viaLink = (folder.Path() / "link" / ".." / "link" / "Grand.so").string();
    EXPECT_EQ(LoadedProbeName(viaLink), copy);
}

TEST(ModuleFileName, RemovedFileKeepsTheNameItWasLoadedBy)
{
    TempFolder folder;
    const std::string copy = folder.File("Grand.so");
    std::filesystem::copy_file(MODULE_PROBE_PATH, copy);
    EXPECT_EQ(LoadedProbeName(copy, true), copy);
}

TEST(ModuleFileName, OverrideWinsUntilClearedThenTheProgramIsReported)
{
    platform::SetModuleFileName("/plugins/Grand.so");
    EXPECT_EQ(platform::ModuleFileName(), "/plugins/Grand.so");
    platform::SetModuleFileName("");
    EXPECT_EQ(platform::ModuleFileName(), std::filesystem::canonical("/proc/self/exe").string());
}

} // namespace
