#include "host/InstrumentDriver.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "resources/Log.h"

namespace host
{

namespace
{
// The driver whose instrument is being created: the instrument calls its host before the driver knows the
// record it will return.
thread_local InstrumentDriver* creating = nullptr;

// Events one block may carry: twice its frames, and never fewer than this.
constexpr int kMinimumEvents = 1024;

// Text buffers for the dispatcher's name requests, far larger than any VST 2.4 name.
constexpr size_t kTextBuffer = 256;

int eventCapacity(int frames)
{
    return std::max(kMinimumEvents, 2 * frames);
}
} // namespace

InstrumentDriver::InstrumentDriver(FormatHost& formatHost) : format(formatHost) {}

InstrumentDriver::~InstrumentDriver()
{
    close();
}

bool InstrumentDriver::open(const InstrumentEntry& entry, double sampleRate, int blockFrames)
{
    if (effect)
        return true;
    if (std::isfinite(sampleRate) && sampleRate > 0.0)
        rate = sampleRate;
    maxFrames = std::clamp(blockFrames > 0 ? blockFrames : kDefaultBlockFrames, 1, kMaxBlockFrames);
    if (!events.reserve(eventCapacity(maxFrames)))
        return false;
    creating = this;
    AEffect* created = entry.create ? entry.create(&InstrumentDriver::callback) : nullptr;
    creating = nullptr;
    if (!created || created->magic != kEffectMagic || !created->dispatcher || !created->processReplacing)
    {
        resources::LogLine("The instrument could not be created for the plug-in format.");
        return false;
    }
    effect = created;
    effect->resvd1 = reinterpret_cast<VstIntPtr>(this);
    timeInfo.sampleRate = rate;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    dispatch(effSetBlockSize, 0, maxFrames);
    describe(entry);
    return true;
}

std::string InstrumentDriver::text(VstInt32 opcode, VstInt32 index) const
{
    char buffer[kTextBuffer] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextBuffer - 1] = 0;
    return buffer;
}

std::string InstrumentDriver::effectName()
{
    return text(effGetEffectName);
}

std::string InstrumentDriver::vendorName()
{
    return text(effGetVendorString);
}

void InstrumentDriver::describe(const InstrumentEntry& entry)
{
    parameters.clear();
    for (int index = 0; index < effect->numParams; ++index)
    {
        InstrumentParameter info;
        info.name = text(effGetParamName, index);
        info.label = text(effGetParamLabel, index);
        if (!entry.shape || !entry.shape(index, info.shape))
            info.shape = ParameterShape{};
        info.defaultValue = parameterValue(index);
        parameters.push_back(info);
    }
    programNames.clear();
    for (int index = 0; index < effect->numPrograms; ++index)
    {
        char name[kTextBuffer] = {};
        if (dispatch(effGetProgramNameIndexed, index, 0, name) == 0)
            break;
        name[kTextBuffer - 1] = 0;
        programNames.emplace_back(name);
    }
}

void InstrumentDriver::close()
{
    if (!effect)
        return;
    closeEditor();
    setActive(false);
    // The instrument deletes itself on effClose.
    dispatch(effClose);
    effect = nullptr;
}

VstIntPtr InstrumentDriver::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt) const
{
    return effect ? effect->dispatcher(effect, opcode, index, value, ptr, opt) : 0;
}

bool InstrumentDriver::setSampleRate(double newRate)
{
    if (!std::isfinite(newRate) || newRate <= 0.0)
    {
        resources::LogFormatted("The plug-in format's sample rate %g was refused.", newRate);
        return false;
    }
    rate = newRate;
    timeInfo.sampleRate = rate;
    const bool wasActive = active;
    setActive(false);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    setActive(wasActive);
    return true;
}

bool InstrumentDriver::setBlockFrames(int newFrames)
{
    if (newFrames <= 0)
    {
        resources::LogFormatted("The plug-in format's block length %d was refused.", newFrames);
        return false;
    }
    const int wanted = std::min(newFrames, kMaxBlockFrames);
    if (!events.reserve(eventCapacity(wanted)))
    {
        resources::LogFormatted("Not enough memory for the events of blocks of %d frames.", wanted);
        return false;
    }
    maxFrames = wanted;
    dispatch(effSetBlockSize, 0, maxFrames);
    return true;
}

void InstrumentDriver::setActive(bool on)
{
    if (on == active || !effect)
        return;
    dispatch(effMainsChanged, 0, on ? 1 : 0);
    active = on;
    if (const int refused = on ? 0 : takeRefusedEvents())
        resources::LogFormatted(
            "%d MIDI events outside their blocks, or beyond what a block holds, were refused.", refused);
}

int InstrumentDriver::latency() const
{
    return effect ? effect->initialDelay : 0;
}

void InstrumentDriver::beginBlock(int blockFrames)
{
    frames = std::max(blockFrames, 0);
    events.clear();
}

bool InstrumentDriver::addMidi(int offset, uint8_t status, uint8_t data1, uint8_t data2)
{
    if (offset < 0 || offset >= frames || !events.add(offset, status, data1, data2))
    {
        refusedEvents.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    return true;
}

bool InstrumentDriver::addSysex(int offset, const uint8_t* bytes, size_t length)
{
    if (offset < 0 || offset >= frames || !events.addSysex(offset, bytes, length))
    {
        refusedEvents.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    return true;
}

void InstrumentDriver::setTransport(const VstTimeInfo& info)
{
    const bool playing = (info.flags & kVstTransportPlaying) != 0;
    timeInfo = info;
    timeInfo.sampleRate = rate;
    if (playing != wasPlaying)
        timeInfo.flags |= kVstTransportChanged;
    wasPlaying = playing;
}

void InstrumentDriver::render(float* left, float* right)
{
    if (!effect || !left || !right)
        return;
    for (int start = 0; start < frames;)
    {
        const int length = std::min(maxFrames, frames - start);
        // Every piece gets its list, empty or not: the instrument takes its editor's keys and pedals there.
        if (VstEvents* list = events.piece(start, start + length))
            effect->dispatcher(effect, effProcessEvents, 0, 0, list, 0.0f);
        float* outputs[2] = {left + start, right + start};
        effect->processReplacing(effect, nullptr, outputs, length);
        start += length;
        // A later piece's time requests see the transport where that piece starts.
        timeInfo.samplePos += length;
        if ((timeInfo.flags & (kVstPpqPosValid | kVstTempoValid)) == (kVstPpqPosValid | kVstTempoValid))
            timeInfo.ppqPos += length / rate * timeInfo.tempo / 60.0;
        timeInfo.flags &= ~kVstTransportChanged;
    }
}

const InstrumentParameter* InstrumentDriver::parameter(int index) const
{
    return index >= 0 && index < parameterCount() ? &parameters[static_cast<size_t>(index)] : nullptr;
}

float InstrumentDriver::parameterValue(int index) const
{
    return effect && index >= 0 && index < effect->numParams ? effect->getParameter(effect, index) : 0.0f;
}

bool InstrumentDriver::setParameter(int index, float value)
{
    // Written so that NaN fails the test too.
    if (!effect || !parameter(index) || !(value >= 0.0f && value <= 1.0f))
        return false;
    effect->setParameter(effect, index, value);
    return true;
}

std::string InstrumentDriver::parameterDisplay(int index)
{
    return parameter(index) ? text(effGetParamDisplay, index) : std::string();
}

const std::string& InstrumentDriver::programName(int index) const
{
    static const std::string none;
    return index >= 0 && index < programCount() ? programNames[static_cast<size_t>(index)] : none;
}

int InstrumentDriver::program() const
{
    return static_cast<int>(dispatch(effGetProgram));
}

bool InstrumentDriver::setProgram(int index)
{
    if (index < 0 || index >= programCount())
        return false;
    dispatch(effSetProgram, 0, index);
    return program() == index;
}

std::vector<uint8_t> InstrumentDriver::state()
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (!data || size <= 0)
        return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool InstrumentDriver::stateAcceptable(const uint8_t* data, size_t size)
{
    if (!effect || !data)
        return false;
    const std::vector<uint8_t> own = state();
    if (size != own.size())
    {
        resources::LogFormatted("A state of %llu bytes was refused: the instrument's state has %llu.",
                                static_cast<unsigned long long>(size),
                                static_cast<unsigned long long>(own.size()));
        return false;
    }
    constexpr size_t kVersionBytes = 4;
    if (size >= kVersionBytes && std::memcmp(data, own.data(), kVersionBytes) != 0)
    {
        uint32_t version = 0;
        uint32_t ownVersion = 0;
        std::memcpy(&version, data, kVersionBytes);
        std::memcpy(&ownVersion, own.data(), kVersionBytes);
        resources::LogFormatted("A state of version %u was refused: the instrument's state is version %u.",
                                version, ownVersion);
        return false;
    }
    return true;
}

bool InstrumentDriver::setState(const uint8_t* data, size_t size)
{
    if (!stateAcceptable(data, size))
        return false;
    std::vector<uint8_t> copy(data, data + size);
    return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(size), copy.data()) ==
           static_cast<VstIntPtr>(size);
}

bool InstrumentDriver::hasEditor() const
{
    return effect && (effect->flags & effFlagsHasEditor) != 0;
}

bool InstrumentDriver::editorSize(int& width, int& height)
{
    ERect* rect = nullptr;
    if (!hasEditor() || dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect)
        return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return width > 0 && height > 0;
}

bool InstrumentDriver::openEditor(void* parent)
{
    // Without a parent the editor would make a window of its own, which no plug-in format asks for.
    if (!hasEditor() || !parent || editorIsOpen)
    {
        resources::LogLine(parent ? "The editor is already open or missing; it was not opened again."
                                  : "The editor was asked to open without a parent window; refused.");
        return false;
    }
    editorIsOpen = dispatch(effEditOpen, 0, 0, parent) != 0;
    return editorIsOpen;
}

void InstrumentDriver::idleEditor()
{
    if (editorIsOpen)
        dispatch(effEditIdle);
}

void InstrumentDriver::closeEditor()
{
    if (!editorIsOpen)
        return;
    dispatch(effEditClose);
    editorIsOpen = false;
}

VstIntPtr VSTCALLBACK InstrumentDriver::callback(AEffect* instrument, VstInt32 opcode, VstInt32 index,
                                                 VstIntPtr value, void* ptr, float opt)
{
    InstrumentDriver* driver =
        instrument && instrument->resvd1 ? reinterpret_cast<InstrumentDriver*>(instrument->resvd1) : creating;
    if (!driver)
        return opcode == audioMasterVersion ? kVstVersion : 0;
    try
    {
        return driver->answer(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

VstIntPtr InstrumentDriver::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return kVstVersion;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(rate);
    case audioMasterGetBlockSize:
        return maxFrames;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(&timeInfo);
    case audioMasterAutomate:
        format.parameterEdited(index, opt);
        return 1;
    case audioMasterIOChanged:
        format.latencyChanged(latency());
        return 1;
    case audioMasterSizeWindow:
        return format.resizeEditor(index, static_cast<int>(value)) ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace host
