#include "render/StateFile.h"

#include <fstream>

namespace render
{

bool StateFile::read(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = "cannot open state file '" + path + "'";
        return false;
    }
    // One byte more than needed tells a long file from a right one without reading all of it.
    std::vector<char> buffer(size + 1);
    in.read(buffer.data(), std::streamsize(buffer.size()));
    const size_t got = size_t(in.gcount());
    if (in.bad())
    {
        error = "cannot read state file '" + path + "'";
        return false;
    }
    if (got != size)
    {
        error = "state file '" + path + "' is " + (got > size ? "longer" : std::to_string(got) + " bytes") +
                ", not " + std::to_string(size) + " bytes";
        return false;
    }
    bytes.assign(buffer.begin(), buffer.begin() + long(size));
    return true;
}

bool StateFile::write(const std::string& path, const uint8_t* bytes, size_t count, std::string& error)
{
    if (!bytes || count != size)
    {
        error = "the instrument gave a state of " + std::to_string(bytes ? count : 0) + " bytes, not " +
                std::to_string(size);
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes), std::streamsize(count));
    out.close();
    if (!out)
    {
        error = "cannot write state file '" + path + "'";
        return false;
    }
    return true;
}

} // namespace render
