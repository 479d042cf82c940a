// An IBStream over bytes in memory, as VST3 hosts hand plug-ins their saved states. Owned by the host:
// its reference count changes nothing. One thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace formathost
{

class MemoryStream : public host::IBStream
{
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> content) : data(std::move(content)) {}

    host::tresult VST3CALL queryInterface(const char* interfaceId, void** object) override;
    uint32_t VST3CALL addRef() override { return 1; }
    uint32_t VST3CALL release() override { return 1; }
    host::tresult VST3CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) override;
    host::tresult VST3CALL write(void* buffer, int32_t numBytes, int32_t* numBytesWritten) override;
    host::tresult VST3CALL seek(int64_t pos, int32_t mode, int64_t* result) override;
    host::tresult VST3CALL tell(int64_t* pos) override;

    const std::vector<uint8_t>& bytes() const { return data; }

private:
    std::vector<uint8_t> data;
    size_t position = 0;
};

} // namespace formathost
