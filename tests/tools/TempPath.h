#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

// A file name in the temporary folder that belongs to the running test alone, so tests run side by side,
// from this build tree or another, never share files.
inline std::string tempPath(const std::string& suffix)
{
    static const std::string run = std::to_string(std::random_device()());
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "_" + test->name() + "_" + run;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return ::testing::TempDir() + name + suffix;
}
