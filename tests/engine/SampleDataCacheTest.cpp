#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>

#include "engine/FluidSynthLibrary.h"
#include "engine/LoadWait.h"
#include "engine/SampleDataCache.h"
#include "engine/TestBank.h"

using namespace engine;

namespace enginetest
{
namespace
{

// The block belongs to the file it was read from: a bank from any other file, even with sample data of
// the same size at the same place, is refused rather than handed the first file's samples.
TEST(SampleDataCache, OnlyTheSameFileSharesTheBlock)
{
    const TempFile file("owner", std::vector<uint8_t>(4000, 1));
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
        EXPECT_TRUE(cache.loadDone()) << "a second read would have started over";
        cache.release(attached);
    }
    // Rewritten since it was read, the same file holds other samples.
    std::filesystem::last_write_time(file.path(),
                                     std::filesystem::last_write_time(file.path()) + std::chrono::seconds(5));
    EXPECT_EQ(cache.attach(file.path(), 0, 4000), nullptr);
    EXPECT_EQ(cache.userCount(), 1u);
    cache.release(block);
    EXPECT_EQ(cache.sampleData(), nullptr);
    std::filesystem::remove(alias);
}

TEST(SampleDataCache, LoadPercentNeverDecreasesAndEndsAtExactly100)
{
    constexpr uint32_t kLarge = 24u << 20;
    const TempFile file("progress", std::vector<uint8_t>(kLarge, 3));
    SampleDataCache cache;
    cache.setLoadPercent(100); // as left by an earlier instrument; a new read starts over
    const int16_t* block = cache.attach(file.path(), 0, kLarge);
    ASSERT_NE(block, nullptr);
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
    EXPECT_TRUE(cache.isReadUpTo(kLarge));
    cache.release(block);
}

std::mutex errorsMutex;
std::vector<std::string> errors;

TEST(SampleDataCache, FileShorterThanItsHeaderSaysEndsTheReadWithAnError)
{
    // The background read reports through the engine's log, from its own thread.
    FluidSynth().fluid_set_log_function(
        kFluidError,
        [](int, const char* message, void*)
        {
            const std::lock_guard<std::mutex> lock(errorsMutex);
            errors.emplace_back(message);
        },
        nullptr);
    const TempFile file("short", std::vector<uint8_t>(1000, 0x11));
    SampleDataCache cache;
    const int16_t* block = cache.attach(file.path(), 0, 5000);
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(WaitForLoadDone(cache));
    FluidSynth().fluid_set_log_function(kFluidError, FluidSynth().fluid_default_log_function, nullptr);
    EXPECT_EQ(cache.loadPercent(), 100);
    const std::lock_guard<std::mutex> lock(errorsMutex);
    EXPECT_EQ(errors, std::vector<std::string>{"Failed to read sample data"});
    EXPECT_FALSE(cache.isReadUpTo(1));
    cache.release(block);
    EXPECT_EQ(cache.sampleData(), nullptr);
}

TEST(SampleDataCache, UnopenableFileAttachesNothingAndAnotherBlockIsNotReleased)
{
    SampleDataCache cache;
    EXPECT_EQ(cache.attach("/nonexistent/Virellando.DAT", 0, 1000), nullptr);
    EXPECT_EQ(cache.userCount(), 0u);
    EXPECT_EQ(cache.sampleData(), nullptr);
    const TempFile file("foreign", std::vector<uint8_t>(4000, 1));
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
