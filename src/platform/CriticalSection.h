// A recursive lock: the thread that holds it may enter it again and must leave
// it as often as it entered.
#pragma once

#include <cstddef>

namespace platform
{

// The system's own recursive lock (a Win32 critical section, a recursive mutex elsewhere), kept in storage of
// this class so that no system header reaches the other layers.
class CriticalSection
{
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    void Leave();
    // True when the lock was taken without waiting.
    bool TryEnter();

    // Large and aligned enough for the lock of every supported system; each implementation checks it. The
    // alignment is a number: 32-bit Windows headers give std::max_align_t 8 or 16 bytes depending on what
    // a file included first, which gave this class (and every class holding one) two layouts in one program.
    static constexpr std::size_t kStorageBytes = 64;
    static constexpr std::size_t kStorageAlignment = 16;

private:
    alignas(kStorageAlignment) unsigned char storage[kStorageBytes];
};

// Holds a critical section for its scope; a null section is no lock at all.
class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CriticalSection& lockedSection) : section(&lockedSection)
    {
        section->Enter();
    }
    explicit CriticalSectionLock(CriticalSection* lockedSection) : section(lockedSection)
    {
        if (section != nullptr)
            section->Enter();
    }
    ~CriticalSectionLock()
    {
        if (section != nullptr)
            section->Leave();
    }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection* section;
};

} // namespace platform
