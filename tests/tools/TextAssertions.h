#pragma once

#include <gtest/gtest.h>

#include <string>

// Succeeds when text contains part; on failure shows both, so a changed message is easy to see.
inline ::testing::AssertionResult mentions(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "'" << text << "' does not mention '" << part << "'";
}
