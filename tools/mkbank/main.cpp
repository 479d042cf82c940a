#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "mkbank/BankBuilder.h"
#include "mkbank/CommandLine.h"

int main(int argc, char** argv)
{
    using namespace mkbank;
    const std::vector<std::string> args(argv + 1, argv + argc);
    BuildOptions options;
    CommandLine commandLine;
    switch (commandLine.parse(args, options))
    {
    case CommandLine::Result::Help:
        std::fputs(CommandLine::usage().c_str(), stdout);
        return 0;
    case CommandLine::Result::Invalid:
        std::fprintf(stderr, "virellando-mkbank: %s\n%s", commandLine.error().c_str(),
                     CommandLine::usage().c_str());
        return 2;
    case CommandLine::Result::Build:
        break;
    }
    BankBuilder builder;
    BuildSummary summary;
    try
    {
        if (!builder.build(options, summary))
        {
            std::fprintf(stderr, "virellando-mkbank: %s\n", builder.error().c_str());
            return 1;
        }
    }
    catch (const std::bad_alloc&)
    {
        // The whole bank is assembled in memory: a huge source preset can exhaust it.
        std::fprintf(stderr, "virellando-mkbank: not enough memory to build the bank\n");
        return 1;
    }
    std::printf("virellando-mkbank: wrote %s (%llu bytes, first tag %s): preset \"%s\" with %zu "
                "instruments, %zu samples and %zu zones, each with a resonance twin; noise keys "
                "121-127; %llu sample points\n",
                options.output.c_str(), static_cast<unsigned long long>(summary.fileBytes),
                options.firstTag == sfwriter::FirstTag::Tal ? "TAL" : "RIFF", summary.presetName.c_str(),
                summary.instruments, summary.samples, summary.pianoZones,
                static_cast<unsigned long long>(summary.samplePoints));
    return 0;
}
