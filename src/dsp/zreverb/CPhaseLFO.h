#pragma once

#include "dsp/zreverb/CLFO.h"

namespace zreverb
{

// The part the phase-driven oscillators (saw and triangle) share: the rate they run at, the phase
// increment, the sign and phase shift of their mode. Subclasses keep their phases and shape the output.
// Audio thread.
class CPhaseLFO : public CLFO
{
public:
    explicit CPhaseLFO(float rate) : m_rate(rate) {}

    void SetFrequency(float hz) override;
    void SetMode(int mode) override;
    void Reset() override;

protected:
    // Called when the frequency changes, after the increment is set.
    virtual void FrequencyChanged() {}
    // Moves the phases forward for a shifted mode.
    virtual void ShiftPhase() = 0;
    // Puts the phases back to their start.
    virtual void ResetPhase() = 0;

    float m_sign = 1.0f;
    float m_increment = 0.0f;

private:
    float m_rate;
    int m_mode = 0;
};

} // namespace zreverb
