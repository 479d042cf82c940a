// The module file name and library loading of the Windows layer, with a probe DLL copied where a host
// might find a plug-in.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/SharedLibrary.h"
#include "platform/TempFolder.h"

namespace
{

using ProbeFunction = void (*)(char*, size_t);

std::string LoadedProbeName(const std::string& loadPath)
{
    std::string error;
    void* library = platform::OpenSharedLibrary(loadPath, &error);
    if (library == nullptr)
    {
        ADD_FAILURE() << error;
        return std::string();
    }
    auto probe = reinterpret_cast<ProbeFunction>(platform::FindSymbol(library, "ModuleProbeFileName"));
    if (probe == nullptr)
    {
        ADD_FAILURE() << "probe function missing";
        return std::string();
    }
    char buffer[MAX_PATH + 1];
    probe(buffer, sizeof buffer);
    return buffer;
}

std::string LongName(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer) : path;
}

TEST(ModuleFileName, DllReportsItsOwnFullPath)
{
    TempFolder folder;
    const std::string copy = folder.File("Grand.Piano.dll");
    std::filesystem::copy_file(MODULE_PROBE_PATH, copy);
    EXPECT_EQ(LoadedProbeName(copy), LongName(copy));
}

TEST(ModuleFileName, DllLoadedByItsShortNameReportsTheLongName)
{
    TempFolder folder;
    const std::string copy = folder.File("Concert Grand Piano.dll");
    std::filesystem::copy_file(MODULE_PROBE_PATH, copy);
    char shortName[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(copy.c_str(), shortName, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    ASSERT_EQ(std::string(shortName).find(' '), std::string::npos) << shortName;
    const std::string reported = LoadedProbeName(shortName);
    EXPECT_EQ(reported.substr(reported.find_last_of('\\') + 1), "Concert Grand Piano.dll") << reported;
}

TEST(ModuleFileName, ProgramReportsTheExecutable)
{
    char own[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, own, MAX_PATH), 0u);
    EXPECT_EQ(platform::ModuleFileName(), LongName(own));
}

TEST(SharedLibrary, MissingLibraryNamesThePathAndTheSystemError)
{
    std::string error;
    EXPECT_EQ(platform::OpenSharedLibrary("C:\\no-such-folder\\Missing.dll", &error), nullptr);
    EXPECT_NE(error.find("Missing.dll"), std::string::npos) << error;
    EXPECT_NE(error.find("error "), std::string::npos) << error;
    EXPECT_EQ(platform::FindSymbol(nullptr, "main"), nullptr);
}

} // namespace
