// Figures a measuring child process hands back to its parent: one "name value" line each.
#pragma once

#include <map>
#include <string>

using Figures = std::map<std::string, double>;

bool WriteFigures(const std::string& path, const Figures& figures);
// Empty when the file is missing or holds no figure.
Figures ReadFigures(const std::string& path);
