#pragma once

#include <cstdint>
#include <vector>

namespace mkbank
{

// Synthesises the piano's mechanical noises for the noise keys, deterministically: the same
// sound on every build. Each is filtered noise through short resonant body modes:
//   121 sustain pedal pressed: the trapwork's wooden thump, then the soft bloom of the strings
//       as all dampers lift;
//   122 sustain pedal released: the dampers' felt landing on the strings, cutting their ring,
//       and the pedal's knock as it returns;
//   123..127 key released, bass to treble: the damper's felt thump on the strings (lower, longer
//       and heavier in the bass; absent on the top keys, which have no dampers) and the key's
//       soft knock against its rest rail.
class MechanicalNoiseSynthesizer
{
public:
    static constexpr uint32_t kSampleRate = 44100;

    // The noise for key 121..127, peaking at peakDecibels(key) dBFS and fading to exact silence;
    // empty for any other key.
    static std::vector<float> render(uint8_t key);
    static double peakDecibels(uint8_t key);

private:
    static std::vector<float> pedalDown();
    static std::vector<float> pedalUp();
    static std::vector<float> keyRelease(int registerIndex);
};

} // namespace mkbank
