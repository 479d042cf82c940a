#include "VstXSynth.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "FileNames.h"
#include "Log.h"
#include "Platform.h"
#include "StringTable.h"
#include "VersionText.h"

using namespace vst;
using namespace resources;

namespace
{
const PianoSettings kConstructionSettings = {
    1,    // recordTag
    3,    // lidPosition: open
    0.5f, // volume: unity
    0.0f, // chorus
    0.25f,
    0.5f, // hammerAmount
    0.5f, // sympatheticResonance
    1.0f,
    1.0f,
    1.0f,
    2, // velocityCurve: normal
    0, // reverbType: the first preset
};

// Instances are created and destroyed on the host's loading thread; a host may load on more than one.
std::mutex instanceCountMutex;
int instanceCount = 0;

constexpr int kTextBufferSize = 512;
constexpr VstIntPtr kVendorHelp = 1000;
constexpr VstIntPtr kVendorSampleDataLoaded = 1004;
constexpr int kDefaultHelpContext = 10;

void copyText(char* destination, const char* text, size_t size)
{
    std::snprintf(destination, size, "%s", text);
}
} // namespace

VstXSynth::VstXSynth(audioMasterCallback master) : AudioEffectX(master, kNumPrograms, kNumParams)
{
    requested = kConstructionSettings;
    applied = kConstructionSettings;
    guiEvents.reset(new (std::nothrow) GuiEventQueue());

    LogStart(LogFilePath());
    {
        std::lock_guard<std::mutex> guard(instanceCountMutex);
        if (instanceCount == 0)
            StringTableCreateLock();
        ++instanceCount;
    }
    const std::string stringFile = ModuleFileWithExtension("INI");
    StringTableSetFile(stringFile.c_str());

    logStartUp();

    settingsChanged = 0;
    displayChanged = 0;
    numPrograms = 0;
    LogFormatted("String File: %s", stringFile.c_str());

    parentWindow = nullptr;
    takeHostVendorPath();

    lastDrainTime = platform::TimeGetTime();

    if (audioMaster)
    {
        LogLine("Setting VST params.");
        setNumInputs(0);
        setNumOutputs(2);
        canProcessReplacing();
        isSynth();
        setUniqueID(kUniqueId);
    }

    // No sound bank has been loaded.
    showDataLoadFailure();
    LogLine("Init completed.");
}

VstXSynth::~VstXSynth()
{
    LogLine("Shutting down.");
    std::lock_guard<std::mutex> guard(instanceCountMutex);
    --instanceCount;
    if (instanceCount == 0)
        StringTableDeleteLock();
}

int VstXSynth::liveInstances()
{
    std::lock_guard<std::mutex> guard(instanceCountMutex);
    return instanceCount;
}

void VstXSynth::logStartUp()
{
    LogStartingUp();
    LogLine(VersionText().c_str());
    LogOsDescription();
    LogMemoryStatus();
    LogDiskSpace();
    LogCpuSpeed();
}

void VstXSynth::takeHostVendorPath()
{
    char vendor[64] = {};
    getHostVendorString(vendor);
    vendor[sizeof vendor - 1] = 0;
    if (std::strcmp(vendor, "Tallowind") != 0)
        return;
    LogLine("Host is an Tallowind product, getting parent window.");
    const VstIntPtr window = hostVendorSpecific(1000, 0, nullptr, 0.0f);
    parentWindow = reinterpret_cast<void*>(window);
    LogFormatted("Parent window is %i", static_cast<int>(window));
}

void VstXSynth::showDataLoadFailure()
{
    char body[kTextBufferSize];
    char title[kTextBufferSize];
    StringTableLookup("DataLoadFailBody", body, sizeof body);
    StringTableLookup("DataLoadFailTitle", title, sizeof title);
    LogFormatted("%s: %s", title, body);
    platform::ShowMessageBox(body, title, platform::kMessageBoxIconExclamation);
}

void VstXSynth::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    if (!outputs || sampleFrames <= 0)
        return;
    // Without an engine the instrument renders silence.
    for (int channel = 0; channel < 2; ++channel)
        if (outputs[channel])
            std::memset(outputs[channel], 0, sizeof(float) * static_cast<size_t>(sampleFrames));
}

bool VstXSynth::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    if (index < 0 || index > 1 || !properties)
        return false;
    std::snprintf(properties->label, sizeof properties->label, "Output %1d", index + 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool VstXSynth::getEffectName(char* name)
{
    copyText(name, "Virellando", kVstMaxEffectNameLen);
    return true;
}

bool VstXSynth::getVendorString(char* text)
{
    copyText(text, "Tallowind Inc.", kVstMaxVendorStrLen);
    return true;
}

bool VstXSynth::getProductString(char* text)
{
    copyText(text, "Tallowind Virellando", kVstMaxProductStrLen);
    return true;
}

VstInt32 VstXSynth::getVendorVersion()
{
    return 1000;
}

VstIntPtr VstXSynth::vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg)
{
    if (lArg == kVendorHelp)
    {
        const int context = lArg2 == 0 ? kDefaultHelpContext : static_cast<int>(lArg2);
        platform::OpenHelpFile(ModuleFileWithExtension("chm"), context);
        return 1;
    }
    if (lArg == kVendorSampleDataLoaded)
        return 0; // no sound bank is read
    if (lArg < 1000 || lArg > 1005)
        return 1;
    return 0;
}

VstInt32 VstXSynth::canDo(char* text)
{
    if (!text)
        return -1;
    if (std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0 ||
        std::strcmp(text, "midiProgramNames") == 0)
        return 1;
    return -1;
}
