#include "host/vst3/Vst3Stream.h"

namespace host
{

namespace
{
constexpr int32_t kPiece = 4096;
} // namespace

bool ReadStream(IBStream* stream, std::vector<uint8_t>& bytes, size_t limit)
{
    bytes.clear();
    if (!stream)
        return false;
    uint8_t piece[kPiece];
    for (;;)
    {
        int32_t read = 0;
        const tresult result = stream->read(piece, kPiece, &read);
        if (read < 0 || read > kPiece)
            return false;
        // Streams end with a short read; some also answer a read at the end with a failure.
        if (read == 0)
            return result == kResultOk || !bytes.empty();
        if (bytes.size() + static_cast<size_t>(read) > limit)
            return false;
        bytes.insert(bytes.end(), piece, piece + read);
        if (read < kPiece)
            return true;
    }
}

bool WriteStream(IBStream* stream, const std::vector<uint8_t>& bytes)
{
    if (!stream)
        return false;
    if (bytes.empty())
        return true;
    int32_t written = 0;
    std::vector<uint8_t> copy(bytes);
    return stream->write(copy.data(), static_cast<int32_t>(copy.size()), &written) == kResultOk &&
           written == static_cast<int32_t>(copy.size());
}

} // namespace host
