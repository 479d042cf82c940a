#pragma once

namespace zreverb
{

// Result codes of every reverb operation that can fail; values are stable because callers log them.
enum ReverbResult : int
{
    kReverbOk = 0,
    kReverbAllocFailed = 1000001,
    kReverbNullHandle = 5000002,
    kReverbOutOfRange = 5000003, // a clamped value was still applied, or a frame count was refused
    kReverbBadPreset = 9999999,
};

} // namespace zreverb
