#include "instrument/programs/SettingsLimits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace instrument;

// A valid record comes back bit for bit; a damaged one inside its ranges, its tag kept. Fields in the
// record's order: tag, lid, volume, chorus, reverb, hammer, resonance, bass, mid, high, curve, reverb type.
TEST(SettingsLimits, ARecordComesBackInsideItsRangesAndAValidOneBitForBit)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const PianoSettings valid{1, 0, 1.0f, 0.0f, 0.25f, 0.5f, 0.5f, 2.0f, 0.0f, 1.0f, 4, 6};
    const struct
    {
        PianoSettings given, repaired;
    } rows[] = {{valid, valid},
                {{77, 7, nan, -inf, 3.0f, -0.5f, nan, 9.0f, nan, -1.0f, -1, 12},
                 {77, 3, 0.5f, 0.0f, 1.0f, 0.0f, 0.5f, 2.0f, 1.0f, 0.0f, 0, 6}}};
    for (const auto& row : rows)
    {
        const PianoSettings out = SettingsLimits::repaired(row.given);
        EXPECT_EQ(std::memcmp(&out, &row.repaired, sizeof out), 0) << "tag " << row.given.recordTag;
    }
}
