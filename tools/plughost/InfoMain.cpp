// virellando-info: loads a VST 2.4 plug-in as a host would and prints what the host sees of it.
#include <cstdio>
#include <string>

#include "plughost/PluginHost.h"

using namespace plughost;

using namespace host;

namespace
{
std::string fourCC(VstInt32 code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xff);
    return text;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s PLUGIN.so\n", argv[0]);
        return 2;
    }
    PluginHost host;
    if (!host.load(argv[1]))
    {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[1], host.error().c_str());
        return 1;
    }
    auto plugin = host.instantiate();
    if (!plugin)
    {
        std::fprintf(stderr, "%s gave no plug-in record\n", argv[1]);
        return 1;
    }
    const AEffect* e = plugin->effect();
    plugin->dispatch(effOpen);
    std::printf("Plug-in      %s\n", argv[1]);
    std::printf("Name         %s\n", plugin->getString(effGetEffectName).c_str());
    std::printf("Vendor       %s (version %ld)\n", plugin->getString(effGetVendorString).c_str(),
                static_cast<long>(plugin->dispatch(effGetVendorVersion)));
    std::printf("Product      %s\n", plugin->getString(effGetProductString).c_str());
    std::printf("Unique ID    '%s', version %d, VST %ld, category %ld\n", fourCC(e->uniqueID).c_str(),
                e->version, static_cast<long>(plugin->dispatch(effGetVstVersion)),
                static_cast<long>(plugin->dispatch(effGetPlugCategory)));
    std::printf("I/O          %d inputs, %d outputs\n", e->numInputs, e->numOutputs);
    std::printf(
        "Flags        0x%x%s%s%s\n", e->flags, (e->flags & effFlagsCanReplacing) ? " can-replacing" : "",
        (e->flags & effFlagsIsSynth) ? " is-synth" : "", (e->flags & effFlagsHasEditor) ? " has-editor" : "");
    std::printf("Programs     %d\n", e->numPrograms);
    std::printf("Parameters   %d\n", e->numParams);
    for (VstInt32 i = 0; i < e->numParams; ++i)
    {
        std::printf("  %2d %-8s = %-8s %-3s (%.3f)\n", i, plugin->getString(effGetParamName, i).c_str(),
                    plugin->getString(effGetParamDisplay, i).c_str(),
                    plugin->getString(effGetParamLabel, i).c_str(),
                    static_cast<double>(plugin->getParameter(i)));
    }
    for (VstInt32 pin = 0; pin < e->numOutputs; ++pin)
    {
        VstPinProperties properties{};
        if (plugin->dispatch(effGetOutputProperties, pin, 0, &properties))
            std::printf("Output pin   %s\n", properties.label);
    }
    const char* questions[] = {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames",
                               "sendVstMidiEvent"};
    for (const char* question : questions)
        std::printf("canDo %-20s %ld\n", question, static_cast<long>(plugin->canDo(question)));
    std::printf("Sound bank   %s\n", plugin->dispatch(effVendorSpecific, 1004) ? "read" : "not read");
    plugin->dispatch(effMainsChanged, 0, 0);
    plugin->close();
    return 0;
}
