#pragma once

#include <gtest/gtest.h>

#include <string>

// A file name in the temporary folder that belongs to the running test alone, so tests run side by side
// never share files.
inline std::string tempPath(const std::string& suffix)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "_" + test->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return ::testing::TempDir() + name + suffix;
}
