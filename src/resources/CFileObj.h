// A file over the C run-time's buffered file, created with one reference.
// Used by one thread at a time (the log holds its lock around every use).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "resources/CRefObj.h"

namespace resources
{

class CFileObj : public CRefObj
{
public:
    CFileObj() = default;

    virtual bool IsOpen() const;
    // Writes the bytes, advances the position, raises the size when the position
    // passes it, and flushes when the flush flag is set. False on a short write.
    virtual bool Write(const void* bytes, size_t length);
    // Opens with mode "w+b" (created or emptied); false when it cannot.
    virtual bool Open(const std::string& path);
    void SetFlush(bool flush) { flush_ = flush; }

    uint64_t Position() const { return position_; }
    uint64_t Size() const { return size_; }
    const std::string& Path() const { return path_; }

protected:
    ~CFileObj() override;

private:
    void Close();

    std::FILE* file_ = nullptr;
    std::string path_;
    uint64_t position_ = 0;
    uint64_t size_ = 0;
    bool flush_ = false;
};

} // namespace resources
