#include "engine/FileByteSource.h"

#include <limits>

namespace engine
{

FileByteSource::FileByteSource(const std::string& path)
{
    file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return;
    long end = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        end = std::ftell(file);
    if (end < 0)
    {
        std::fclose(file);
        file = nullptr;
        return;
    }
    byteCount = static_cast<uint64_t>(end);
}

FileByteSource::~FileByteSource()
{
    if (file != nullptr)
        std::fclose(file);
}

uint64_t FileByteSource::size() const
{
    return byteCount;
}

bool FileByteSource::read(uint64_t offset, void* destination, size_t count)
{
    if (file == nullptr || offset > byteCount || count > byteCount - offset)
        return false;
    if (offset > static_cast<uint64_t>(std::numeric_limits<long>::max()))
        return false;
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(destination, 1, count, file) == count;
}

} // namespace engine
