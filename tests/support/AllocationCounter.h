// Counts the heap operations (allocations, reallocations, frees) the calling thread makes while a counter
// lives. Linking AllocationCounter.cpp into a program replaces the C library's malloc family for the whole
// process, the plug-in it loads and the libraries that one uses included, by thin wrappers that count and
// hand on; do not link it into a program built with a sanitizer, which brings its own.
#pragma once

class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    // Heap operations of this thread since the counter was made.
    long count() const;

private:
    long start;
};
