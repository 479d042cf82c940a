#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CriticalSection.h"

using namespace platform;

namespace platformtest
{
std::size_t HolderSizeSeenAlone();
}

namespace
{

struct Holder
{
    char before;
    platform::CriticalSection section;
    char after;
};

bool TryEnterFromOtherThread(platform::CriticalSection& section)
{
    bool entered = false;
    std::thread other(
        [&]
        {
            entered = section.TryEnter();
            if (entered)
                section.Leave();
        });
    other.join();
    return entered;
}

TEST(CriticalSection, OwnerMayEnterAgainAndALockHoldsForItsScope)
{
    platform::CriticalSection section;
    section.Enter();
    section.Enter();
    EXPECT_TRUE(section.TryEnter());
    section.Leave();
    section.Leave();
    // Still held once: another thread cannot take it.
    EXPECT_FALSE(TryEnterFromOtherThread(section));
    section.Leave();
    EXPECT_TRUE(TryEnterFromOtherThread(section));
    {
        platform::CriticalSectionLock lock(section);
        EXPECT_FALSE(TryEnterFromOtherThread(section));
    }
    EXPECT_TRUE(TryEnterFromOtherThread(section));
}

TEST(CriticalSection, SerialisesIncrementsFromManyThreads)
{
    platform::CriticalSection section;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back(
            [&]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    platform::CriticalSectionLock lock(section);
                    counter = counter + 1;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 80000);
}

} // namespace

TEST(CriticalSection, OneLayoutWhateverWasIncludedFirst)
{
    EXPECT_EQ(sizeof(Holder), platformtest::HolderSizeSeenAlone());
}
