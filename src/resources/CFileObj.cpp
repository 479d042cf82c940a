#include "resources/CFileObj.h"

namespace resources
{

CFileObj::~CFileObj()
{
    Close();
}

bool CFileObj::IsOpen() const
{
    return file_ != nullptr;
}

bool CFileObj::Write(const void* bytes, size_t length)
{
    if (file_ == nullptr || (bytes == nullptr && length > 0))
        return false;
    const size_t written = length > 0 ? std::fwrite(bytes, 1, length, file_) : 0;
    position_ += written;
    if (position_ > size_)
        size_ = position_;
    if (flush_)
        std::fflush(file_);
    return written == length;
}

bool CFileObj::Open(const std::string& path)
{
    Close();
    file_ = std::fopen(path.c_str(), "w+b");
    if (file_ == nullptr)
        return false;
    path_ = path;
    position_ = 0;
    size_ = 0;
    return true;
}

void CFileObj::Close()
{
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
}

} // namespace resources
