#include "dsp/zreverb/CNoiseLFO.h"

#include "dsp/zreverb/RuntimeRandom.h"

namespace zreverb
{

CNoiseLFO::CNoiseLFO(float rate) : m_seed(static_cast<uint32_t>(RuntimeRandom15()) * 32767u) {}

} // namespace zreverb
