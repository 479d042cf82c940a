#pragma once
// The layout of a Virellando sound bank, shared by the instrument that plays it and the bank builder that
// writes it: the piano's keys, the keys that carry the mechanical noises and the controllers of the
// sympathetic-resonance layer. Constants only; any thread.

namespace piano
{

// The piano's 88 keys, A0 to C8.
constexpr int kLowestKey = 21;
constexpr int kHighestKey = 108;
constexpr int kNumKeys = kHighestKey - kLowestKey + 1;

// Piano zones may reach up to this key; the keys above carry the mechanical noises.
constexpr int kHighestPianoZoneKey = 120;

// The noises: pedal down, pedal up, then the key-release noises from the lowest register up.
constexpr int kFirstNoiseKey = 121;
constexpr int kPedalDownKey = 121;
constexpr int kPedalUpKey = 122;
constexpr int kFirstReleaseKey = 123;
constexpr int kLastNoiseKey = 127;

// The sympathetic-resonance layer: controller 21 carries the swell's envelope, 22 the amount.
constexpr int kResonanceEnvelopeController = 21;
constexpr int kResonanceAmountController = 22;

} // namespace piano
