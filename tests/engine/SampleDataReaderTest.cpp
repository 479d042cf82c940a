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

using engine::SampleDataReader;
using engine::SampleReadProgress;

std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return bytes;
}

TEST(SampleDataReader, CopiesTheBlockAcrossPieceBoundaries)
{
    // Two full pieces and one byte, after a 7-byte offset.
    const std::vector<uint8_t> bytes = Pattern(7 + 2 * SampleDataReader::kPieceSize + 1);
    const TempFile file("pieces", bytes);
    const uint32_t size = 2 * SampleDataReader::kPieceSize + 1;
    std::vector<char> block(size, 0);
    SampleReadProgress progress;
    SampleDataReader(file.path(), 7, block.data(), size, progress).run();
    EXPECT_EQ(std::memcmp(block.data(), bytes.data() + 7, size), 0);
    EXPECT_EQ(progress.bytesRead.load(), size);
    EXPECT_EQ(progress.loadPercent.load(), 100);
    EXPECT_EQ(progress.loadDone.load(), 1);
}

TEST(SampleDataReader, CancelledBeforeItsFirstPieceReadsNothing)
{
    const TempFile file("cancelled", Pattern(1000));
    std::vector<char> block(1000, 0);
    SampleReadProgress progress;
    progress.cancelLoad = 1;
    SampleDataReader(file.path(), 0, block.data(), 1000, progress).run();
    EXPECT_EQ(progress.bytesRead.load(), 0u);
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(progress.loadDone.load(), 1);
    EXPECT_EQ(progress.loadPercent.load(), 100);
}

TEST(SampleDataReader, MissingFileEndsTheReadAt100)
{
    std::vector<char> block(10, 0);
    SampleReadProgress progress;
    SampleDataReader("/nonexistent/Virellando.DAT", 0, block.data(), 10, progress).run();
    EXPECT_EQ(progress.loadDone.load(), 1);
    EXPECT_EQ(progress.loadPercent.load(), 100);
    EXPECT_EQ(progress.bytesRead.load(), 0u);
}

} // namespace
} // namespace enginetest
