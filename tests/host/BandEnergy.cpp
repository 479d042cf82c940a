#include "host/BandEnergy.h"

#include <cmath>
#include <complex>

namespace
{
constexpr size_t kSegment = 4096;

void Fft(std::vector<std::complex<double>>& data)
{
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    const double pi = std::acos(-1.0);
    for (size_t length = 2; length <= n; length <<= 1)
    {
        const std::complex<double> unit = std::polar(1.0, -2.0 * pi / static_cast<double>(length));
        for (size_t start = 0; start < n; start += length)
        {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k)
            {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= unit;
            }
        }
    }
}
} // namespace

double BandEnergy(const std::vector<float>& signal, double sampleRate, double lowHz, double highHz)
{
    const double pi = std::acos(-1.0);
    const double binHz = sampleRate / static_cast<double>(kSegment);
    double energy = 0.0;
    std::vector<std::complex<double>> data(kSegment);
    for (size_t start = 0; start + kSegment <= signal.size(); start += kSegment)
    {
        for (size_t i = 0; i < kSegment; ++i)
        {
            const double window = 0.5 - 0.5 * std::cos(2.0 * pi * static_cast<double>(i) / kSegment);
            data[i] = signal[start + i] * window;
        }
        Fft(data);
        for (size_t bin = 0; bin <= kSegment / 2; ++bin)
        {
            const double hz = static_cast<double>(bin) * binHz;
            if (hz >= lowHz && hz <= highHz)
                energy += std::norm(data[bin]);
        }
    }
    return energy;
}
