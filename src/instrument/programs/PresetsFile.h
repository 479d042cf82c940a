#pragma once

#include "instrument/programs/StoredProgram.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace instrument
{

// The instrument's programs: read once from the presets file beside the module and kept in memory, where
// the host may rename them and program changes store edited values. The file is little-endian: float64
// version 1.0, uint32 count, then the 172-byte records. Host user-interface thread only.
class PresetsFile
{
public:
    static constexpr double kVersion = 1.0;
    // No real preset bank comes near this; a larger count is taken as a damaged file, not allocated.
    static constexpr std::uint32_t kMaxPrograms = 4096;
    static constexpr std::size_t kHeaderSize = 12;
    static constexpr std::size_t kRecordSize = 172;

    // Replaces the programs with those of the file. A missing file, another version or a count of 0 or
    // above kMaxPrograms leaves no programs and returns false. A file shorter than its count says keeps
    // the count: the records it lacks stay zero.
    bool read(const char* path);

    // Writes the stored programs in the same format; false when the file cannot be written completely.
    static bool write(const char* path, const std::vector<StoredProgram>& stored);

    int count() const { return static_cast<int>(programs.size()); }
    // Null outside 0..count-1.
    StoredProgram* program(int index);
    const StoredProgram* program(int index) const;

    // Names are cut at a UTF-8 character boundary, never inside a character.
    // Sets a program's name, cut to 127 bytes; nothing happens for an index without a program.
    void rename(int index, const char* name);
    // Copies a program's name into `out`, cut to capacity - 1 bytes; false (nothing written) for an index
    // without a program, a null buffer or no capacity.
    bool copyName(int index, char* out, std::size_t capacity) const;

    void clear() { programs.clear(); }

private:
    std::vector<StoredProgram> programs;
};

} // namespace instrument
