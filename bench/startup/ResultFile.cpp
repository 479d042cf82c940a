#include "startup/ResultFile.h"

#include <fstream>

bool WriteFigures(const std::string& path, const Figures& figures)
{
    std::ofstream out(path);
    out.precision(17);
    for (const auto& [name, value] : figures)
        out << name << ' ' << value << '\n';
    return static_cast<bool>(out);
}

Figures ReadFigures(const std::string& path)
{
    Figures figures;
    std::ifstream in(path);
    std::string name;
    double value;
    while (in >> name >> value)
        figures[name] = value;
    return figures;
}
