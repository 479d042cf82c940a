#include "NoteSequence.h"

#include <algorithm>

#include "render/FrameScheduler.h"
#include "render/MidiFile.h"

namespace
{
constexpr uint64_t kRingOutSeconds = 2;
} // namespace

bool NoteSequence::loadMidiFile(const std::string& path, uint32_t sampleRate)
{
    render::MidiFile file;
    if (!file.load(path))
    {
        origin = path + ": " + file.error();
        return false;
    }
    const render::FrameScheduler scheduler(file.timeUnitsPerSecond(), sampleRate, 1);
    events.clear();
    for (const auto& scheduled : scheduler.schedule(file.messages()))
    {
        const auto& message = scheduled.message;
        if (message.kind() == 0x80 || message.kind() == 0x90 || message.kind() == 0xB0)
            events.push_back({scheduled.frame, message.status, message.data1, message.data2});
    }
    frames = scheduler.frameAt(file.endTimeUnits()) + kRingOutSeconds * sampleRate;
    origin = path;
    return true;
}

void NoteSequence::makePiece(double seconds, uint32_t sampleRate)
{
    // Eight-note broken chords in the left hand, three-note chords with a melody in the right, a pedal
    // change on every bar; the harmony walks round a cycle of fifths.
    const int chordRoots[] = {45, 50, 43, 48, 41, 46, 40, 45};
    const int shape[] = {0, 7, 12, 16, 19, 16, 12, 7};
    const uint64_t bar = sampleRate * 2;
    const uint64_t eighth = bar / 8;
    events.clear();
    uint32_t random = 7u;
    const auto next = [&random](int range)
    {
        random = random * 1664525u + 1013904223u;
        return static_cast<int>((random >> 16) % static_cast<uint32_t>(range));
    };
    const uint64_t bars = static_cast<uint64_t>(seconds * sampleRate) / bar;
    for (uint64_t b = 0; b < bars; ++b)
    {
        const uint64_t start = b * bar;
        const int root = chordRoots[b % 8];
        events.push_back({start, 0xB0, 64, 0});
        events.push_back({start + 64, 0xB0, 64, 127});
        for (int i = 0; i < 8; ++i)
        {
            const uint64_t at = start + static_cast<uint64_t>(i) * eighth;
            const int key = root + shape[i] - 12 * (i == 0 ? 1 : 0);
            const auto velocity = static_cast<uint8_t>(50 + next(40));
            events.push_back({at, 0x90, static_cast<uint8_t>(key), velocity});
            events.push_back({at + eighth * 3 / 2, 0x80, static_cast<uint8_t>(key), 64});
            const int melody = root + 24 + shape[(i * 3) % 8] + next(3);
            events.push_back(
                {at + eighth / 2, 0x90, static_cast<uint8_t>(melody), static_cast<uint8_t>(60 + next(50))});
            events.push_back({at + eighth, 0x80, static_cast<uint8_t>(melody), 64});
            if (i % 4 == 0)
                for (int note : {12, 16, 19})
                {
                    events.push_back({at, 0x90, static_cast<uint8_t>(root + 12 + note), 70});
                    events.push_back({at + eighth * 4, 0x80, static_cast<uint8_t>(root + 12 + note), 64});
                }
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
    frames = bars * bar + kRingOutSeconds * sampleRate;
    origin = "a made-up piece of " + std::to_string(bars * 2) + " s";
}
