#include "piano/MidiMessage.h"

#include <algorithm>

namespace piano
{

MidiMessage MidiMessage::make(std::uint8_t status, int data1, int data2)
{
    MidiMessage message;
    message.status = status;
    message.data1 = static_cast<std::uint8_t>(std::clamp(data1, 0, 127));
    message.data2 = static_cast<std::uint8_t>(std::clamp(data2, 0, 127));
    return message;
}

std::int32_t MidiMessage::packed() const
{
    return static_cast<std::int32_t>(status | (data1 << 8) | (data2 << 16));
}

std::int32_t MidiMessage::pack(std::uint8_t status, int data1, int data2)
{
    return static_cast<std::int32_t>(status | (static_cast<std::uint32_t>(data1 & 0x7f) << 8) |
                                     (static_cast<std::uint32_t>(data2 & 0x7f) << 16));
}

MidiMessage MidiMessage::unpack(std::int32_t packed)
{
    const auto bits = static_cast<std::uint32_t>(packed);
    MidiMessage message;
    message.status = static_cast<std::uint8_t>(bits & 0xFF);
    message.data1 = static_cast<std::uint8_t>((bits >> 8) & 0xFF);
    message.data2 = static_cast<std::uint8_t>((bits >> 16) & 0xFF);
    return message;
}

} // namespace piano
