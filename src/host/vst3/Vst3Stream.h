// Whole states through a host's IBStream: read from where the host left the stream, written at its
// position. The host's user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Interface.h"

namespace host
{

// Reads until the stream ends; false when it cannot be read or holds more than `limit` bytes.
bool ReadStream(IBStream* stream, std::vector<uint8_t>& bytes, size_t limit);
// False unless every byte was written.
bool WriteStream(IBStream* stream, const std::vector<uint8_t>& bytes);

} // namespace host
