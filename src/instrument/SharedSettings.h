// Settings written by one thread and read by another without a lock: the requested copy that parameters,
// controllers, programs, the chunk and the editor write, and the audio thread reads at the start of a block.
// Each field is its own atomic word, so a reader sees either the old or the new value of each field; only
// the fields a writer changed are stored, so writers on two threads never undo each other.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "instrument/programs/PianoSettings.h"

namespace instrument
{

class SharedSettings
{
public:
    static constexpr int kFields = sizeof(PianoSettings) / sizeof(uint32_t);

    explicit SharedSettings(const PianoSettings& initial = PianoSettings());

    PianoSettings load() const;
    // Stores every field of after that differs in its bytes from before.
    void storeChanged(const PianoSettings& before, const PianoSettings& after);
    void store(const PianoSettings& settings);
    // Stores one field, chosen by its byte offset in PianoSettings.
    void storeField(size_t offset, const PianoSettings& from);

private:
    std::array<std::atomic<uint32_t>, kFields> words;
};

} // namespace instrument
