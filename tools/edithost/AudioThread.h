#pragma once
// The host's audio thread: renders the plug-in block by block at the pace of real time, keeps the
// last seconds of audio for listening, and times every block, apart for blocks rendered while the
// editor is open and while it is closed.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "edithost/EditHost.h"

namespace edithost
{

class AudioThread
{
public:
    static constexpr int kBlockFrames = 256;

    AudioThread(EditHost& host, float sampleRate);
    ~AudioThread();
    void start();
    void stop();
    void setEditorOpen(bool open) { editorOpen = open; }

    // How strongly the last 100 ms sound at a MIDI note's pitch: the share of their energy at that
    // frequency (1 for a pure tone at it, near 0 for other pitches), and their RMS level.
    void listen(int note, double& share, double& rms);
    uint64_t blocks() const { return blockCount; }
    // The longest block, in microseconds, with the editor open and closed.
    double worstOpenUs() const { return worstOpen / 1000.0; }
    double worstClosedUs() const { return worstClosed / 1000.0; }

private:
    void run();

    EditHost& host;
    float rate;
    std::thread thread;
    std::atomic<bool> running{false};
    std::atomic<bool> editorOpen{false};
    std::atomic<uint64_t> blockCount{0};
    std::atomic<int64_t> worstOpen{0};
    std::atomic<int64_t> worstClosed{0};
    std::mutex historyLock;
    std::vector<float> history; // a ring of the last seconds, mono
    size_t historyEnd = 0;
};

} // namespace edithost
