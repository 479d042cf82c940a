#pragma once

#include "render/RenderOptions.h"

#include <string>
#include <vector>

namespace render
{

// Reads the renderer's command line. Options take their value as the next argument or after '='.
class RenderOptionParser
{
public:
    enum class Outcome
    {
        Render,
        ShowHelp,
        Error,
    };

    // args excludes the program name.
    Outcome parse(const std::vector<std::string>& args);

    const RenderOptions& options() const { return parsed; }
    const std::string& error() const { return errorText; }
    static std::string usage();

private:
    bool applyOption(const std::string& name, const std::string& value);
    bool fail(const std::string& message);

    RenderOptions parsed;
    std::string errorText;
};

} // namespace render
