// A note sequence played a block at a time and a stretch at a time, so that several runs can take turns
// through the same piece: what the bare synthesizer's run and the plug-in's run share.
#pragma once

#include <cstddef>
#include <cstdint>

#include "BlockTimes.h"
#include "NoteSequence.h"

class PieceRun
{
public:
    PieceRun() = default;
    virtual ~PieceRun() = default;
    PieceRun(const PieceRun&) = delete;
    PieceRun& operator=(const PieceRun&) = delete;

    // Plays the blocks that start before endFrame (nothing before a successful open); their processor
    // time on this thread adds to processorSeconds.
    void playUntil(uint64_t endFrame);

    BlockTimes times;       // wall-clock per block
    BlockTimes threadTimes; // the thread's processor time per block
    double processorSeconds = 0.0;

protected:
    // The piece to play, once the run can play it.
    void startPiece(const NoteSequence& piece, int frames)
    {
        notes = &piece;
        blockFrames = frames;
    }
    // Plays the block that starts at frame start, with the events from index next on that fall in it.
    virtual void playBlock() = 0;

    const NoteSequence* notes = nullptr;
    int blockFrames = 0;
    uint64_t start = 0;
    size_t next = 0;
};
