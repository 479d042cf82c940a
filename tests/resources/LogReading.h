// Reads a log file back as its lines' texts, checking on the way each line's time prefix (the
// milliseconds right-aligned in three characters) and "\r\n" ending.
#pragma once

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/TempFolder.h"

inline std::vector<std::string> LogTexts(const std::string& file)
{
    static const std::regex kLine(R"(^\d{2}:\d{2}:\d{2} \[(  \d| [1-9]\d|[1-9]\d\d) mils\] : ([^\r\n]*)$)");
    const std::string content = TempFolder::Read(file);
    std::vector<std::string> texts;
    size_t start = 0;
    while (start < content.size())
    {
        const size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
        {
            ADD_FAILURE() << "line without \\r\\n: " << content.substr(start);
            break;
        }
        const std::string line = content.substr(start, end - start);
        std::smatch match;
        if (std::regex_match(line, match, kLine))
            texts.push_back(match[2]);
        else
            ADD_FAILURE() << "malformed log line: " << line;
        start = end + 2;
    }
    return texts;
}
