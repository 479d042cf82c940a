#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render
{

// The instrument's saved state as a file of exactly 48 bytes.
class StateFile
{
public:
    static constexpr size_t size = 48;

    // False with a message when the file is missing, unreadable or not exactly 48 bytes long.
    static bool read(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
    static bool write(const std::string& path, const uint8_t* bytes, size_t count, std::string& error);
};

} // namespace render
