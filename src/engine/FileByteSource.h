#pragma once

#include <cstdio>
#include <string>

#include "engine/ByteSource.h"

namespace engine
{

// A file opened for reading raw bytes; closed with the object.
class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool isOpen() const { return file != nullptr; }
    uint64_t size() const override;
    bool read(uint64_t offset, void* destination, size_t count) override;

private:
    std::FILE* file = nullptr;
    uint64_t byteCount = 0;
};

} // namespace engine
