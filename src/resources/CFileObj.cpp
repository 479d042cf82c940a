#include "resources/CFileObj.h"

namespace resources
{

CFileObj::~CFileObj()
{
    Close();
}

bool CFileObj::IsOpen() const
{
    return file != nullptr;
}

bool CFileObj::Write(const void* bytes, size_t length)
{
    if (file == nullptr || (bytes == nullptr && length > 0))
        return false;
    const size_t written = length > 0 ? std::fwrite(bytes, 1, length, file) : 0;
    position += written;
    if (position > size)
        size = position;
    if (flush)
        std::fflush(file);
    return written == length;
}

bool CFileObj::Open(const std::string& fileName)
{
    Close();
    file = std::fopen(fileName.c_str(), "w+b");
    if (file == nullptr)
        return false;
    path = fileName;
    position = 0;
    size = 0;
    return true;
}

void CFileObj::Close()
{
    if (file != nullptr)
        std::fclose(file);
    file = nullptr;
}

} // namespace resources
