#include "engine/FileByteSource.h"

#include <limits>

namespace engine
{

FileByteSource::FileByteSource(const std::string& path)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr)
        return;
    long end = -1;
    if (std::fseek(file_, 0, SEEK_END) == 0)
        end = std::ftell(file_);
    if (end < 0)
    {
        std::fclose(file_);
        file_ = nullptr;
        return;
    }
    size_ = static_cast<uint64_t>(end);
}

FileByteSource::~FileByteSource()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

uint64_t FileByteSource::size() const
{
    return size_;
}

bool FileByteSource::read(uint64_t offset, void* destination, size_t count)
{
    if (file_ == nullptr || offset > size_ || count > size_ - offset)
        return false;
    if (offset > static_cast<uint64_t>(std::numeric_limits<long>::max()))
        return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(destination, 1, count, file_) == count;
}

} // namespace engine
