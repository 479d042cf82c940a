#pragma once

namespace instrument
{

// The General MIDI Level 1 program names and families the instrument reports to hosts that ask for MIDI
// program names, with the drum channel's single kit. Constant tables; any thread.
class MidiProgramNames
{
public:
    static constexpr int kProgramCount = 128;
    static constexpr int kCategoryCount = 17;
    static constexpr int kProgramsPerCategory = 8;
    // The drum channel, counted from 0.
    static constexpr int kDrumChannel = 9;

    // "Acoustic Grand Piano" .. "Gunshot"; empty outside 0..127.
    static const char* programName(int program);
    // The family of a program (program / 8), -1 outside 0..127.
    static int categoryOf(int program);
    // "Piano" .. "DrumSets"; empty outside 0..16.
    static const char* categoryName(int category);

    static const char* drumProgramName() { return "Standard"; }
    static const char* drumCategoryName() { return "Drums"; }
};

} // namespace instrument
