#include "instrument/VstXSynth.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "engine/FluidSynthLibrary.h"
#include "engine/SampleDataCache.h"
#include "platform/Platform.h"
#include "resources/FileNames.h"
#include "resources/Log.h"
#include "resources/StringTable.h"
#include "resources/VersionText.h"

using namespace dsp;
using namespace engine;
using namespace host;
using namespace piano;
using namespace resources;

namespace instrument
{

namespace
{
// Instances are created and destroyed on the host's loading thread; a host may load on more than one.
std::mutex instanceCountMutex;
int instanceCount = 0;
std::atomic<VstXSynth::EditorFactory> editorFactory{nullptr};
std::atomic<VstXSynth::SplashFactory> splashFactory{nullptr};
std::atomic<int> splashCount{0};

constexpr int kTextBufferSize = 512;
constexpr VstInt32 kVendorHelp = 1000;
constexpr VstInt32 kVendorSampleDataLoaded = 1004;
constexpr int kDefaultHelpContext = 10;
constexpr int kReservedEvents = 512;

void copyText(char* destination, const char* text, size_t size)
{
    std::snprintf(destination, size, "%s", text);
}

void lookUpText(const char* key, char* out, size_t size)
{
    StringTableLookup(key, out, size);
}
} // namespace

VstXSynth::VstXSynth(audioMasterCallback master)
    : AudioEffectX(master, kNumPrograms, kNumParams), parameterTable(lookUpText)
{
    guiEvents.reset(new (std::nothrow) GuiEventQueue());
    blockEvents.reserve(kReservedEvents);
    mergeScratch.reserve(kReservedEvents);

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

    LogLine("Initializing lid model");

    std::string engineReport;
    const bool engineLibrary = FluidSynthLibrary::load(ModuleFolder(), engineReport);
    LogLine(engineReport.c_str());

    LogLine("New settings.");
    updateSampleRate();
    chooseEngineRate();
    engine.reset(new (std::nothrow) SynthEngine(engineRate));
    if (engine && !engine->runsAtRate())
        logRateOutsideEngine();
    else if (engine)
        logEngineRate();
    samplesPerMillisecond = sampleRate * 0.001;

    parentWindow = nullptr;
    takeHostVendorPath();

    LogLine("Creating the synthesizer.");
    if (engine)
        engine->createSynth();
    updateChorusUnit();
    LogLine("Loading the sound bank.");
    if (engine && engine->hasSynth())
        loadSoundBank();

    createEffects();
    setInitialDelay(outputDelay());

    LogLine("Initializing sympathetic resonance.");
    resonanceRamp = ResonanceRamp();

    LogLine("Calculating velocity curves.");
    velocityTable.rebuild(applied.velocityCurve);

    for (auto& key : keyDown)
        key.store(0, std::memory_order_relaxed);
    lastDrainTime = platform::TimeGetTime();

    LogLine("Initializing presets.");
    readPresets();

    if (engine)
        engine->send(MidiMessage::kControlChange, kResonanceAmountController,
                     static_cast<int>(applied.sympatheticResonance * 127.0f));

    if (audioMaster)
    {
        LogLine("Setting VST params.");
        setNumInputs(0);
        setNumOutputs(2);
        canProcessReplacing();
        isSynth();
        setUniqueID(kUniqueId);
        LogLine("Creating editor window.");
        if (const EditorFactory factory = editorFactory.load())
            setEditor(factory(this));
    }

    if (!engine || !engine->hasSynth() || !engine->hasSoundBank())
    {
        // Lets a progress display close.
        engine::SampleDataCache::shared().setLoadPercent(100);
        // At a rate the engine cannot run the bank was never tried: that is logged, not a load failure.
        if (!engineLibrary)
            showDataLoadFailure("EngineMissingBody");
        else if (!engine || engine->runsAtRate())
            showDataLoadFailure("DataLoadFailBody");
    }
    prepareBuffers();
    LogLine("Init completed.");
}

void VstXSynth::createEffects()
{
    effects.create(sampleRate);
    if (effects.equaliser())
        setLidCurve(lidCurves.curve(LidCurves::kOpen));
    effects.setUpstreamDelay(upsamplerDelay());
    effects.setReverbAmount(applied.reverbAmount);
    effects.setVolume(applied.volume);
    if (effects.hasReverb())
    {
        // The amount the instrument starts with; marked changed so that the audio path takes it too.
        PianoSettings before = requested.load();
        PianoSettings after = before;
        after.reverbAmount = 0.3f;
        requested.storeChanged(before, after);
        markSettingsChanged();
    }
}

VstInt32 VstXSynth::outputDelay() const
{
    return effects.delay() + upsamplerDelay();
}

void VstXSynth::reportOutputDelay()
{
    const VstInt32 delay = outputDelay();
    if (delay == cEffect.initialDelay)
        return;
    setInitialDelay(delay);
    ioChanged();
}

void VstXSynth::readPresets()
{
    for (auto& program : channelPrograms)
        program = 0;
    const std::string presetsFile = ModuleFileWithExtension("presets");
    if (!programs.read(presetsFile.c_str()) || programs.count() == 0)
        return;
    numPrograms = programs.count();
    cEffect.numPrograms = programs.count();
    if (!engine || !engine->hasSynth())
        return;
    const StoredProgram* first = programs.program(0);
    for (int i = 0; i < ParameterTable::kCount; ++i)
        setParameter(i, first->values[i]);
}

VstXSynth::~VstXSynth()
{
    LogLine("Shutting down.");
    // A host may end the instance with its editor still open: the window goes while the instrument
    // it reports to is whole.
    if (editor)
        editor->close();
    engine::SampleDataCache::shared().setLoadPercent(100);
    splash.reset();
    programs.clear();
    engine.reset();
    {
        std::lock_guard<std::mutex> guard(instanceCountMutex);
        --instanceCount;
        if (instanceCount == 0)
            StringTableDeleteLock();
    }
    guiEvents.reset();
}

void VstXSynth::setEditorFactory(EditorFactory factory)
{
    editorFactory.store(factory);
}

void VstXSynth::setSplashFactory(SplashFactory factory)
{
    splashFactory.store(factory);
}

int VstXSynth::splashRequests()
{
    return splashCount.load();
}

void VstXSynth::showSplash()
{
    ++splashCount;
    const SplashFactory factory = splashFactory.load();
    if (factory && !splash)
        splash.reset(factory(ModuleFileWithExtension("SKIN"), parentWindow));
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

void VstXSynth::showDataLoadFailure(const char* bodyKey)
{
    char body[kTextBufferSize];
    char title[kTextBufferSize];
    StringTableLookup(bodyKey, body, sizeof body);
    StringTableLookup("DataLoadFailTitle", title, sizeof title);
    // One log line per message, however many lines the message has.
    std::string logged = std::string(title) + ": " + body;
    std::replace(logged.begin(), logged.end(), '\n', ' ');
    LogLine(logged.c_str());
    platform::ShowMessageBox(body, title, platform::kMessageBoxIconExclamation);
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
        openHelp(static_cast<int>(lArg2));
        return 1;
    }
    if (lArg == kVendorSampleDataLoaded)
        return engine::SampleDataCache::shared().loadDone() ? 1 : 0;
    if (lArg < 1000 || lArg > 1005)
        return 1;
    return 0;
}

const char* VstXSynth::helpSection(int context)
{
    // Help contexts and the manual's section anchors, which docs/Virellando.md defines.
    static const struct
    {
        int context;
        const char* section;
    } kSections[] = {{10, "overview"},      {11, "installing"}, {12, "playing"},
                     {13, "tone-controls"}, {14, "parameters"}, {15, "midi"},
                     {16, "programs"},      {17, "tools"},      {18, "troubleshooting"}};
    for (const auto& entry : kSections)
        if (entry.context == context)
            return entry.section;
    return "";
}

void VstXSynth::openHelp(int context)
{
    platform::OpenHelpFile(ModuleFileWithExtension("html"),
                           helpSection(context == 0 ? kDefaultHelpContext : context));
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

} // namespace instrument
