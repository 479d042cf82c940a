#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "platform/Platform.h"

using namespace platform;

namespace
{

struct Handoff
{
    std::mutex mutex;
    std::condition_variable done;
    bool ran = false;
    std::thread::id runner;
};

void RecordRunner(void* raw)
{
    Handoff* handoff = static_cast<Handoff*>(raw);
    std::lock_guard<std::mutex> lock(handoff->mutex);
    handoff->ran = true;
    handoff->runner = std::this_thread::get_id();
    handoff->done.notify_all();
}

TEST(StartThread, RunsEntryWithItsArgumentOnAnotherThreadAndRefusesAMissingOne)
{
    EXPECT_FALSE(platform::StartThread(nullptr, nullptr));
    Handoff handoff;
    ASSERT_TRUE(platform::StartThread(&RecordRunner, &handoff));
    std::unique_lock<std::mutex> lock(handoff.mutex);
    ASSERT_TRUE(handoff.done.wait_for(lock, std::chrono::seconds(60), [&] { return handoff.ran; }));
    EXPECT_NE(handoff.runner, std::this_thread::get_id());
}

} // namespace
