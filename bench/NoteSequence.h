// The notes a benchmark plays: a MIDI file placed on sample frames, or a dense piano-like piece made up
// here when there is no file. Events are in time order; every event is a three-byte channel message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TimedEvent
{
    uint64_t frame;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

struct NoteSequence
{
    std::vector<TimedEvent> events;
    uint64_t frames = 0; // the whole piece, with two seconds for the last notes to ring out
    std::string origin;

    // False (with a message in origin) when the file cannot be read.
    bool loadMidiFile(const std::string& path, uint32_t sampleRate);
    // Both hands for the given seconds: broken chords, melody, pedal changes on every harmony.
    void makePiece(double seconds, uint32_t sampleRate);
    // A dense texture for load figures: heldKeys keys down at every moment across the keyboard (at most
    // 87), the longest-held one released and another struck strikesPerSecond times a second, no pedal.
    void makeDense(int heldKeys, int strikesPerSecond, double seconds, uint32_t sampleRate);
};
