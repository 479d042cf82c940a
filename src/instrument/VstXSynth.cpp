#include "VstXSynth.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>

#include "FileNames.h"
#include "Log.h"
#include "Platform.h"
#include "SampleDataCache.h"
#include "SplashScreen.h"
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

    LogLine("New settings.");
    updateSampleRate();
    engine.reset(new (std::nothrow) SynthEngine(sampleRate));
    samplesPerMillisecond = sampleRate * 0.001;

    parentWindow = nullptr;
    takeHostVendorPath();

    LogLine("Creating the synthesizer.");
    if (engine)
        engine->createSynth();
    LogLine("Loading the sound bank.");
    if (engine && engine->hasSynth())
        loadSoundBank();

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

    if (!engine || !engine->hasSynth() || !engine->hasSoundBank())
    {
        // Lets a progress display close.
        engine::SampleDataCache::shared().setLoadPercent(100);
        showDataLoadFailure();
    }
    LogLine("Init completed.");
}

VstXSynth::~VstXSynth()
{
    LogLine("Shutting down.");
    engine::SampleDataCache::shared().setLoadPercent(100);
    engine.reset();
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

int VstXSynth::loadSoundBank()
{
    const std::string dataFile = ModuleFileWithExtension("DAT");
    LogFormatted("Module File Name: %s", platform::ModuleFileName().c_str());
    LogFormatted("Data File Name: %s", dataFile.c_str());
    std::error_code error;
    std::string toLoad;
    if (!std::filesystem::is_regular_file(dataFile, error))
    {
        LogFormatted("File Does Not Exist: %s", dataFile.c_str());
    }
    else
    {
        engine::SampleDataCache& cache = engine::SampleDataCache::shared();
        if (cache.userCount() == 0)
        {
            cache.resetLoadProgress();
            platform::ShowSplashScreen(ModuleFileWithExtension("SKIN"), parentWindow);
        }
        LogLine("Data File Exists, loading now.");
        toLoad = dataFile;
    }
    const int result = engine ? engine->load(toLoad) : -1;
    LogFormatted("Data File Load Complete, result = %i", result);
    return 1;
}

void VstXSynth::setSampleRate(float newRate)
{
    // A rate the engine and the filters cannot run at is not taken.
    if (!(newRate > 0.0f) || !std::isfinite(newRate))
        return;
    if (newRate == sampleRate)
        return;
    sampleRate = newRate;
    if (!engine || !engine->hasSettings())
        return;
    engine::SampleDataCache& cache = engine::SampleDataCache::shared();
    cache.setKeepSharedSamples(true);
    engine->destroySynth();
    engine->setSampleRate(sampleRate);
    samplesPerMillisecond = sampleRate * 0.001;
    if (engine->createSynth())
        loadSoundBank();
    cache.setKeepSharedSamples(false);
    engine->programSelect(0, 0);
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
    if (!outputs || !outputs[0] || !outputs[1] || sampleFrames <= 0)
        return;
    if (engine)
    {
        engine->render(sampleFrames, outputs[0], outputs[1]);
        return;
    }
    std::memset(outputs[0], 0, sizeof(float) * static_cast<size_t>(sampleFrames));
    std::memset(outputs[1], 0, sizeof(float) * static_cast<size_t>(sampleFrames));
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
        return engine::SampleDataCache::shared().loadDone() ? 1 : 0;
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
