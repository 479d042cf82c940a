// The sound bank as the synthesizer library's own loader reads it: the file itself when it starts with
// "RIFF", else a temporary copy with that first tag, removed with the object.
#pragma once

#include <string>

class RiffBank
{
public:
    explicit RiffBank(const std::string& bank);
    ~RiffBank();
    RiffBank(const RiffBank&) = delete;
    RiffBank& operator=(const RiffBank&) = delete;

    // Empty when the bank cannot be read or copied.
    const std::string& path() const { return riffPath; }

private:
    std::string riffPath;
    bool temporary = false;
};
