// A copy of a sound bank whose first tag is "RIFF", in a temporary folder, so that the synthesizer
// library's own loader reads the same data the plug-in reads. Removed with the object.
#pragma once

#include <filesystem>
#include <string>

class RiffTwin
{
public:
    explicit RiffTwin(const std::filesystem::path& bank);
    ~RiffTwin();
    RiffTwin(const RiffTwin&) = delete;
    RiffTwin& operator=(const RiffTwin&) = delete;

    // Empty when the bank could not be copied.
    const std::filesystem::path& path() const { return twin; }

private:
    std::filesystem::path folder;
    std::filesystem::path twin;
};
