#include "edithost/AudioThread.h"

#include <chrono>
#include <cmath>

namespace edithost
{

namespace
{
// M_PI is POSIX, not standard C++: Windows' headers lack it.
constexpr double kPi = 3.14159265358979323846;
} // namespace

AudioThread::AudioThread(EditHost& owner, float sampleRate)
    : host(owner), rate(sampleRate), history(static_cast<size_t>(sampleRate) * 2, 0.0f)
{
}

AudioThread::~AudioThread()
{
    stop();
}

void AudioThread::start()
{
    running = true;
    thread = std::thread([this] { run(); });
}

void AudioThread::stop()
{
    running = false;
    if (thread.joinable())
        thread.join();
}

void AudioThread::run()
{
    using clock = std::chrono::steady_clock;
    std::vector<float> left(kBlockFrames);
    std::vector<float> right(kBlockFrames);
    const auto period = std::chrono::nanoseconds(static_cast<int64_t>(kBlockFrames * 1e9 / rate));
    auto next = clock::now();
    while (running)
    {
        const bool open = editorOpen;
        const auto begin = clock::now();
        host.render(left.data(), right.data(), kBlockFrames);
        const int64_t took =
            std::chrono::duration_cast<std::chrono::nanoseconds>(clock::now() - begin).count();
        std::atomic<int64_t>& worst = open ? worstOpen : worstClosed;
        if (took > worst)
            worst = took;
        ++blockCount;
        {
            std::lock_guard<std::mutex> guard(historyLock);
            for (int i = 0; i < kBlockFrames; ++i)
            {
                history[historyEnd] = 0.5f * (left[i] + right[i]);
                historyEnd = (historyEnd + 1) % history.size();
            }
        }
        // A real device asks for the next block one period later.
        next += period;
        std::this_thread::sleep_until(next);
    }
}

void AudioThread::listen(int note, double& share, double& rms)
{
    const size_t n = static_cast<size_t>(rate * 0.1);
    std::vector<double> x(n);
    {
        std::lock_guard<std::mutex> guard(historyLock);
        for (size_t i = 0; i < n; ++i)
            x[i] = history[(historyEnd + history.size() - n + i) % history.size()];
    }
    double energy = 0.0;
    for (double v : x)
        energy += v * v;
    rms = std::sqrt(energy / static_cast<double>(n));
    // Goertzel at the note's fundamental.
    const double frequency = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    const double coefficient = 2.0 * std::cos(2.0 * kPi * frequency / rate);
    double s1 = 0.0;
    double s2 = 0.0;
    for (double v : x)
    {
        const double s = v + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    share = energy > 0.0 ? power / (static_cast<double>(n) / 2.0 * energy) : 0.0;
}

} // namespace edithost
