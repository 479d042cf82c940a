#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include "engine/SampleDataCache.h"
#include "engine/SoundBankLoader.h"
#include "engine/SynthHarness.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{

using engine::LoadSoundBank;
using engine::RegisterSoundBankLoader;
using engine::SampleDataCache;

constexpr uint32_t kLargeBank = 24u * 1024u * 1024u;

int Load(SynthHarness& harness, SampleDataCache& cache, const std::string& path)
{
    if (!RegisterSoundBankLoader(harness.synth(), cache))
        return -1;
    return LoadSoundBank(harness.synth(), path.c_str());
}

// Collects the engine's error messages, which the background read writes from its own thread.
class ErrorLog
{
public:
    ErrorLog() { fluid_set_log_function(FLUID_ERR, Collect, this); }
    ~ErrorLog() { fluid_set_log_function(FLUID_ERR, fluid_default_log_function, nullptr); }
    bool contains(const std::string& text)
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (const auto& line : lines)
        {
            if (line == text)
                return true;
        }
        return false;
    }

private:
    static void Collect(int, const char* message, void* data)
    {
        auto* log = static_cast<ErrorLog*>(data);
        std::lock_guard<std::mutex> lock(log->mutex);
        log->lines.emplace_back(message);
    }
    std::mutex mutex;
    std::vector<std::string> lines;
};

TEST(SampleDataCache, TwoSynthesizersShareOneReadAndFreeTheBlockOnce)
{
    const TempFile file("shared", MakeSimpleBank(200000).bytes());
    SampleDataCache cache;
    auto first = std::make_unique<SynthHarness>();
    auto second = std::make_unique<SynthHarness>();
    ASSERT_EQ(Load(*first, cache, file.path()), 1);
    EXPECT_EQ(cache.userCount(), 1u);
    const int16_t* block = cache.sampleData();
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(WaitForLoadDone(cache));

    ASSERT_EQ(Load(*second, cache, file.path()), 1);
    EXPECT_EQ(cache.userCount(), 2u);
    EXPECT_EQ(cache.sampleData(), block);
    EXPECT_TRUE(cache.loadDone()); // a second read would have started over

    first.reset();
    EXPECT_EQ(cache.userCount(), 1u);
    EXPECT_EQ(cache.sampleData(), block);
    second.reset();
    EXPECT_EQ(cache.userCount(), 0u);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

// The block belongs to the file it was read from: a bank from any other file, even with sample data of
// the same size at the same place, is refused rather than handed the first file's samples.
TEST(SampleDataCache, OnlyTheSameFileSharesTheBlock)
{
    const std::vector<uint8_t> samples(4000, 1);
    const TempFile file("owner", samples);
    const TempFile twin("twin", std::vector<uint8_t>(4000, 2));
    const std::string alias = file.path() + ".alias";
    std::filesystem::create_symlink(file.path(), alias);
    SampleDataCache cache;
    const int16_t* block = cache.attach(file.path(), 0, 4000);
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(WaitForLoadDone(cache));
    const struct
    {
        std::string path;
        uint64_t offset;
        uint32_t size;
        bool shared;
    } cases[] = {{file.path(), 0, 4000, true},
                 {alias, 0, 4000, true},
                 {twin.path(), 0, 4000, false},
                 {file.path(), 2, 3998, false},
                 {file.path(), 0, 2000, false}};
    for (const auto& c : cases)
    {
        const int16_t* attached = cache.attach(c.path, c.offset, c.size);
        EXPECT_EQ(attached == block, c.shared) << c.path << " at " << c.offset << ", " << c.size << " bytes";
        EXPECT_TRUE(attached == block || attached == nullptr);
        cache.release(attached);
    }
    // Rewritten since it was read, the same file holds other samples.
    std::filesystem::last_write_time(file.path(),
                                     std::filesystem::last_write_time(file.path()) + std::chrono::seconds(5));
    EXPECT_EQ(cache.attach(file.path(), 0, 4000), nullptr);
    EXPECT_EQ(cache.userCount(), 1u);
    cache.release(block);
    std::filesystem::remove(alias);
}

TEST(SampleDataCache, KeepSharedAroundARebuildReadsNothingAndFreesNothing)
{
    const TempFile file("rebuild", MakeSimpleBank(200000).bytes());
    SampleDataCache cache;
    SynthHarness harness;
    ASSERT_EQ(Load(harness, cache, file.path()), 1);
    ASSERT_TRUE(WaitForLoadDone(cache));
    const int16_t* block = cache.sampleData();

    cache.setKeepSharedSamples(true);
    harness.deleteSynth();
    EXPECT_EQ(cache.userCount(), 1u);
    EXPECT_EQ(cache.sampleData(), block);
    SynthHarness rebuilt;
    ASSERT_EQ(Load(rebuilt, cache, file.path()), 1);
    cache.setKeepSharedSamples(false);
    EXPECT_EQ(cache.userCount(), 1u);
    EXPECT_EQ(cache.sampleData(), block);
    EXPECT_TRUE(cache.loadDone());

    rebuilt.deleteSynth();
    EXPECT_EQ(cache.userCount(), 0u);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

TEST(SampleDataCache, DeletingTheLastSynthesizerDuringTheReadCancelsAndWaits)
{
    const TempFile file("cancel", MakeSimpleBank(kLargeBank).bytes());
    SampleDataCache cache;
    SynthHarness harness;
    ASSERT_EQ(Load(harness, cache, file.path()), 1);
    // Whether the read is still running here depends on the machine: either way the block is freed only
    // after the read has ended (AddressSanitizer reports a read into a freed block).
    harness.deleteSynth();
    EXPECT_TRUE(cache.loadDone());
    EXPECT_EQ(cache.loadPercent(), 100);
    EXPECT_EQ(cache.userCount(), 0u);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

TEST(SampleDataCache, LoadPercentNeverDecreasesAndEndsAtExactly100)
{
    const TempFile file("progress", MakeSimpleBank(kLargeBank).bytes());
    SampleDataCache cache;
    cache.setLoadPercent(100); // as left by an earlier instrument; a new read starts over
    SynthHarness harness;
    ASSERT_EQ(Load(harness, cache, file.path()), 1);
    int32_t previous = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    bool done = false;
    while (!done && std::chrono::steady_clock::now() < deadline)
    {
        done = cache.loadDone();
        const int32_t percent = cache.loadPercent();
        ASSERT_GE(percent, previous);
        ASSERT_LE(percent, 100);
        previous = percent;
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(cache.loadPercent(), 100);
    EXPECT_TRUE(cache.isReadUpTo(kLargeBank));
}

TEST(SampleDataCache, FileShorterThanItsHeaderSaysEndsTheReadWithAnError)
{
    const std::vector<uint8_t> bytes(1000, 0x11);
    const TempFile file("short", bytes);
    ErrorLog log;
    SampleDataCache cache;
    const int16_t* block = cache.attach(file.path(), 0, 5000);
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(WaitForLoadDone(cache));
    EXPECT_EQ(cache.loadPercent(), 100);
    EXPECT_TRUE(log.contains("Failed to read sample data"));
    EXPECT_FALSE(cache.isReadUpTo(1));
    EXPECT_EQ(cache.userCount(), 1u);
    cache.release(block);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

TEST(SampleDataCache, UnopenableFileAttachesNothing)
{
    SampleDataCache cache;
    EXPECT_EQ(cache.attach("/nonexistent/Virellando.DAT", 0, 1000), nullptr);
    EXPECT_EQ(cache.userCount(), 0u);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

TEST(SampleDataCache, ReleaseOfAnotherBlockIsIgnored)
{
    const TempFile file("foreign", std::vector<uint8_t>(4000, 1));
    SampleDataCache cache;
    const int16_t* block = cache.attach(file.path(), 0, 4000);
    ASSERT_NE(block, nullptr);
    const int16_t other[2] = {};
    cache.release(other);
    cache.release(nullptr);
    EXPECT_EQ(cache.userCount(), 1u);
    cache.release(block);
    EXPECT_EQ(cache.userCount(), 0u);
}

} // namespace
} // namespace enginetest
