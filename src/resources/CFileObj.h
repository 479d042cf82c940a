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
    virtual bool Open(const std::string& fileName);
    void SetFlush(bool everyWrite) { flush = everyWrite; }

    uint64_t Position() const { return position; }
    uint64_t Size() const { return size; }
    const std::string& Path() const { return path; }

protected:
    ~CFileObj() override;

private:
    void Close();

    std::FILE* file = nullptr;
    std::string path;
    uint64_t position = 0;
    uint64_t size = 0;
    bool flush = false;
};

} // namespace resources
