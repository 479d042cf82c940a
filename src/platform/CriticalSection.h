// A recursive lock: the thread that holds it may enter it again and must leave
// it as often as it entered.
#pragma once

#include <mutex>

namespace platform
{

class CriticalSection
{
public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    // True when the lock was taken without waiting.
    bool TryEnter() { return mutex_.try_lock(); }

private:
    std::recursive_mutex mutex_;
};

// Holds a critical section for its scope; a null section is no lock at all.
class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CriticalSection& section) : section_(&section) { section_->Enter(); }
    explicit CriticalSectionLock(CriticalSection* section) : section_(section)
    {
        if (section_ != nullptr)
            section_->Enter();
    }
    ~CriticalSectionLock()
    {
        if (section_ != nullptr)
            section_->Leave();
    }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection* section_;
};

} // namespace platform
