#pragma once

#include "instrument/programs/ParameterTable.h"

#include <type_traits>

namespace instrument
{

// One program of the presets file as it lies on disk: a NUL-terminated name and the host values 0..1 of
// the eleven parameters in parameter order.
struct StoredProgram
{
    static constexpr int kNameSize = 128;

    char name[kNameSize];
    float values[ParameterTable::kCount];
};

static_assert(sizeof(StoredProgram) == 172, "a stored program is 172 bytes on disk");
static_assert(std::is_trivially_copyable_v<StoredProgram>);

} // namespace instrument
