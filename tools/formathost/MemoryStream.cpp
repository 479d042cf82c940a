#include "formathost/MemoryStream.h"

#include <algorithm>
#include <cstring>

using namespace host;

namespace formathost
{

tresult VST3CALL MemoryStream::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IBStream::iid)
                  ? static_cast<IBStream*>(this)
                  : nullptr;
    return *object ? kResultOk : kNoInterface;
}

tresult VST3CALL MemoryStream::read(void* buffer, int32_t numBytes, int32_t* numBytesRead)
{
    if (!buffer || numBytes < 0)
        return kInvalidArgument;
    const size_t count = std::min(static_cast<size_t>(numBytes), data.size() - position);
    if (count > 0)
        std::memcpy(buffer, data.data() + position, count);
    position += count;
    if (numBytesRead)
        *numBytesRead = static_cast<int32_t>(count);
    return kResultOk;
}

tresult VST3CALL MemoryStream::write(void* buffer, int32_t numBytes, int32_t* numBytesWritten)
{
    if (!buffer || numBytes < 0)
        return kInvalidArgument;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (position + static_cast<size_t>(numBytes) > data.size())
        data.resize(position + static_cast<size_t>(numBytes));
    std::copy(bytes, bytes + numBytes, data.begin() + static_cast<std::ptrdiff_t>(position));
    position += static_cast<size_t>(numBytes);
    if (numBytesWritten)
        *numBytesWritten = numBytes;
    return kResultOk;
}

tresult VST3CALL MemoryStream::seek(int64_t pos, int32_t mode, int64_t* result)
{
    const int64_t base = mode == kIBSeekSet   ? 0
                         : mode == kIBSeekCur ? static_cast<int64_t>(position)
                                              : static_cast<int64_t>(data.size());
    const int64_t target = base + pos;
    if (target < 0 || target > static_cast<int64_t>(data.size()))
        return kInvalidArgument;
    position = static_cast<size_t>(target);
    if (result)
        *result = target;
    return kResultOk;
}

tresult VST3CALL MemoryStream::tell(int64_t* pos)
{
    if (!pos)
        return kInvalidArgument;
    *pos = static_cast<int64_t>(position);
    return kResultOk;
}

} // namespace formathost
