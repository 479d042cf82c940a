#include "piano/TuningMessage.h"

namespace piano
{

namespace
{
constexpr std::uint8_t kStart = 0xF0;
constexpr std::uint8_t kEnd = 0xF7;
constexpr std::uint8_t kNonRealTime = 0x7E;
constexpr std::uint8_t kRealTime = 0x7F;
// Sub-IDs: the MIDI Tuning Standard and device control, and the messages of each that the piano reads.
constexpr std::uint8_t kTuningStandard = 0x08;
constexpr std::uint8_t kSingleNote = 0x02;
constexpr std::uint8_t kSingleNoteWithBank = 0x07;
constexpr std::uint8_t kOctaveOneByte = 0x08;
constexpr std::uint8_t kOctaveTwoBytes = 0x09;
constexpr std::uint8_t kDeviceControl = 0x04;
constexpr std::uint8_t kMasterFine = 0x03;
constexpr std::uint8_t kMasterCoarse = 0x04;
// F0, universal ID, device ID, two sub-IDs ... F7: the shortest message has two data bytes.
constexpr int kHeaderBytes = 5;
constexpr int kShortest = kHeaderBytes + 2 + 1;
// A fourteen-bit value's centre: no change.
constexpr int kCentre = 8192;

int fourteenBits(std::uint8_t high, std::uint8_t low)
{
    return high << 7 | low;
}
} // namespace

bool TuningMessage::read(const std::uint8_t* dump, int length)
{
    kind = Kind::None;
    if (!dump || length < kShortest || length > kMaxBytes || dump[0] != kStart || dump[length - 1] != kEnd)
        return false;
    for (int i = 1; i < length - 1; ++i)
        if (dump[i] & 0x80)
            return false;
    if ((dump[1] != kRealTime && dump[1] != kNonRealTime) || (dump[2] != kDeviceId && dump[2] != kAllDevices))
        return false;
    sounding = dump[1] == kRealTime;
    const std::uint8_t* body = dump + kHeaderBytes;
    const int bodyLength = length - kHeaderBytes - 1;
    bool taken = false;
    if (dump[3] == kTuningStandard && dump[4] == kSingleNote)
        taken = sounding && body[0] == 0 && readKeyPitches(body + 1, bodyLength - 1);
    else if (dump[3] == kTuningStandard && dump[4] == kSingleNoteWithBank)
        taken = bodyLength > 2 && body[0] == 0 && body[1] == 0 && readKeyPitches(body + 2, bodyLength - 2);
    else if (dump[3] == kTuningStandard && (dump[4] == kOctaveOneByte || dump[4] == kOctaveTwoBytes))
        taken = readOctave(body, bodyLength, dump[4] == kOctaveTwoBytes);
    else if (dump[3] == kDeviceControl && (dump[4] == kMasterFine || dump[4] == kMasterCoarse))
        taken = sounding && readMaster(body, bodyLength, dump[4] == kMasterFine);
    if (!taken)
        kind = Kind::None;
    return taken;
}

bool TuningMessage::readKeyPitches(const std::uint8_t* list, int length)
{
    // The count of changes, then key, semitone and a fourteen-bit fraction of a semitone for each.
    if (length < 1 || length != 1 + 4 * list[0])
        return false;
    keyCount = 0;
    for (int i = 0; i < list[0]; ++i)
    {
        const std::uint8_t* change = list + 1 + 4 * i;
        // 7F 7F 7F leaves the key as it is.
        if (change[1] == 0x7F && change[2] == 0x7F && change[3] == 0x7F)
            continue;
        keys[keyCount] = change[0];
        keyCents[keyCount] = change[1] * 100.0 + fourteenBits(change[2], change[3]) * (100.0 / 16384.0);
        ++keyCount;
    }
    kind = Kind::KeyPitches;
    // A message that changes no key is nothing to act on.
    return keyCount > 0;
}

bool TuningMessage::readOctave(const std::uint8_t* body, int length, bool twoBytes)
{
    // Three bytes of channel mask (channels 15-16, 8-14, 1-7), then twelve offsets.
    if (length != 3 + 12 * (twoBytes ? 2 : 1) || body[0] > 0x03 || (body[0] | body[1] | body[2]) == 0)
        return false;
    for (int i = 0; i < 12; ++i)
        octaveCents[i] = twoBytes
                             ? (fourteenBits(body[3 + 2 * i], body[4 + 2 * i]) - kCentre) * (100.0 / kCentre)
                             : body[3 + i] - 64.0;
    kind = Kind::Octave;
    return true;
}

bool TuningMessage::readMaster(const std::uint8_t* body, int length, bool fine)
{
    // The value's low and high seven bits; coarse tuning uses the high byte alone.
    if (length != 2)
        return false;
    if (fine)
    {
        masterCents = (fourteenBits(body[1], body[0]) - kCentre) * (100.0 / kCentre);
        kind = Kind::MasterFine;
    }
    else
    {
        masterSemitones = body[1] - 64;
        kind = Kind::MasterCoarse;
    }
    return true;
}

} // namespace piano
