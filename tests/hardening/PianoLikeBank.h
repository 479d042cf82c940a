// A small sound bank shaped like the shipped one, for tests that play the whole instrument: a looped tone
// in two layers on the playing keys (two voices per note, as a stereo piano has) and short one-shot
// mechanical noises on keys 121-127. The instrument never releases its noise notes, so only one-shot
// noises let a silent end be expected. An optional silent padding sample makes the sample block large,
// so that its background read takes a while.
#pragma once

#include <cstdint>

#include "engine/TestBank.h"

namespace hardening
{

enginetest::TestBank MakePianoLikeBank(uint32_t paddingBytes = 0);

} // namespace hardening
