#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/SampleDataReader.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{

TEST(SampleDataReader, CopiesTheBlockAcrossPieceBoundaries)
{
    // Two full pieces and one byte, after a 7-byte offset.
    const uint32_t size = 2 * SampleDataReader::kPieceSize + 1;
    std::vector<uint8_t> bytes(7 + size);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    const TempFile file("pieces", bytes);
    std::vector<char> block(size, 0);
    SampleReadProgress progress;
    SampleDataReader(file.path(), 7, block.data(), size, progress).run();
    EXPECT_EQ(std::memcmp(block.data(), bytes.data() + 7, size), 0);
    EXPECT_EQ(progress.bytesRead.load(), size);
    EXPECT_EQ(progress.loadPercent.load(), 100);
    EXPECT_EQ(progress.loadDone.load(), 1);
}

// A read cancelled before its first piece, or of a missing file, reads nothing and still ends at 100 %.
TEST(SampleDataReader, CancelledOrMissingReadsNothingAndEndsAt100)
{
    const TempFile file("cancelled", std::vector<uint8_t>(1000, 9));
    for (const std::string& path : {file.path(), std::string("/nonexistent/Virellando.DAT")})
    {
        std::vector<char> block(1000, 0);
        SampleReadProgress progress;
        progress.cancelLoad = path == file.path() ? 1 : 0;
        SampleDataReader(path, 0, block.data(), 1000, progress).run();
        EXPECT_EQ(progress.bytesRead.load(), 0u) << path;
        EXPECT_EQ(block, std::vector<char>(1000, 0)) << path;
        EXPECT_EQ(progress.loadDone.load(), 1) << path;
        EXPECT_EQ(progress.loadPercent.load(), 100) << path;
    }
}

} // namespace
} // namespace enginetest
