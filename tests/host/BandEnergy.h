// Energy of a signal between two frequencies: Hann-windowed power spectra of consecutive 4096-frame
// segments, summed over the bins inside the band.
#pragma once

#include <vector>

double BandEnergy(const std::vector<float>& signal, double sampleRate, double lowHz, double highHz);
