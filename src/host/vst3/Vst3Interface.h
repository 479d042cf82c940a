// The VST3 binary interface as published: result codes, identifiers, the records, and the interfaces this
// plug-in implements or calls, each in its published method order. The interfaces are COM-style: every one
// starts with queryInterface, addRef and release, and is identified by 16 bytes, which Windows stores in
// COM's order (the first three fields little-endian) and other systems in the order they are written.
// Every method uses the system's COM calling convention: __stdcall on Windows (which matters on 32-bit
// Windows only), the default elsewhere. The records keep their natural alignment, as hosts compile them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#define VST3CALL __stdcall
#else
#define VST3CALL
#endif

namespace host
{

using tresult = int32_t;
using TBool = uint8_t;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = TChar[128];
using FIDString = const char8*;
using ParamID = uint32_t;
using ParamValue = double;
using SpeakerArrangement = uint64_t;
using MediaType = int32_t;
using BusDirection = int32_t;
using BusType = int32_t;
using IoMode = int32_t;
using UnitID = int32_t;
using ProgramListID = int32_t;
using CtrlNumber = int16_t;
using TQuarterNotes = double;
using TSamples = int64_t;
using TimerInterval = uint64_t;
using FileDescriptor = int;

#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002L);
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057L);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001L);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005L);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFL);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000EL);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif
constexpr tresult kResultTrue = kResultOk;

// A class or interface identifier.
struct Vst3Uid
{
    char bytes[16];
};

constexpr char UidByte(uint32_t value, int shift)
{
    return static_cast<char>((value >> shift) & 0xff);
}

constexpr Vst3Uid MakeVst3Uid(uint32_t l1, uint32_t l2, uint32_t l3, uint32_t l4)
{
#if defined(_WIN32)
    return {{UidByte(l1, 0), UidByte(l1, 8), UidByte(l1, 16), UidByte(l1, 24), UidByte(l2, 16),
             UidByte(l2, 24), UidByte(l2, 0), UidByte(l2, 8), UidByte(l3, 24), UidByte(l3, 16),
             UidByte(l3, 8), UidByte(l3, 0), UidByte(l4, 24), UidByte(l4, 16), UidByte(l4, 8),
             UidByte(l4, 0)}};
#else
    return {{UidByte(l1, 24), UidByte(l1, 16), UidByte(l1, 8), UidByte(l1, 0), UidByte(l2, 24),
             UidByte(l2, 16), UidByte(l2, 8), UidByte(l2, 0), UidByte(l3, 24), UidByte(l3, 16),
             UidByte(l3, 8), UidByte(l3, 0), UidByte(l4, 24), UidByte(l4, 16), UidByte(l4, 8),
             UidByte(l4, 0)}};
#endif
}

inline bool SameUid(const char* bytes, const Vst3Uid& uid)
{
    return bytes && std::memcmp(bytes, uid.bytes, sizeof uid.bytes) == 0;
}

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

// Records.

struct PFactoryInfo
{
    enum FactoryFlags : int32_t
    {
        kNoFlags = 0,
        kUnicode = 1 << 4,
    };
    char8 vendor[64];
    char8 url[256];
    char8 email[128];
    int32_t flags;
};

struct PClassInfo
{
    enum ClassCardinality : int32_t
    {
        kManyInstances = 0x7FFFFFFF
    };
    char cid[16];
    int32_t cardinality;
    char8 category[32];
    char8 name[64];
};

struct PClassInfo2
{
    char cid[16];
    int32_t cardinality;
    char8 category[32];
    char8 name[64];
    uint32_t classFlags;
    char8 subCategories[128];
    char8 vendor[64];
    char8 version[64];
    char8 sdkVersion[64];
};

enum MediaTypes : MediaType
{
    kAudio = 0,
    kEvent = 1,
};

enum BusDirections : BusDirection
{
    kInput = 0,
    kOutput = 1,
};

enum BusTypes : BusType
{
    kMain = 0,
    kAux = 1,
};

struct BusInfo
{
    enum BusFlags : uint32_t
    {
        kDefaultActive = 1 << 0,
    };
    MediaType mediaType;
    BusDirection direction;
    int32_t channelCount;
    String128 name;
    BusType busType;
    uint32_t flags;
};

struct RoutingInfo
{
    MediaType mediaType;
    int32_t busIndex;
    int32_t channel;
};

enum SymbolicSampleSizes : int32_t
{
    kSample32 = 0,
    kSample64 = 1,
};

namespace speaker
{
constexpr SpeakerArrangement kStereo = 0x3; // left and right
}

struct ProcessSetup
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers
{
    int32_t numChannels;
    uint64_t silenceFlags;
    union
    {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

struct Chord
{
    uint8_t keyNote;
    uint8_t rootNote;
    int16_t chordMask;
};

struct FrameRate
{
    uint32_t framesPerSecond;
    uint32_t flags;
};

struct ProcessContext
{
    enum StatesAndFlags : uint32_t
    {
        kPlaying = 1 << 1,
        kCycleActive = 1 << 2,
        kRecording = 1 << 3,
        kSystemTimeValid = 1 << 8,
        kProjectTimeMusicValid = 1 << 9,
        kTempoValid = 1 << 10,
        kBarPositionValid = 1 << 11,
        kCycleValid = 1 << 12,
        kTimeSigValid = 1 << 13,
        kSmpteValid = 1 << 14,
        kClockValid = 1 << 15,
        kContTimeValid = 1 << 17,
        kChordValid = 1 << 18,
    };
    uint32_t state;
    double sampleRate;
    TSamples projectTimeSamples;
    int64_t systemTime;
    TSamples continousTimeSamples;
    TQuarterNotes projectTimeMusic;
    TQuarterNotes barPositionMusic;
    TQuarterNotes cycleStartMusic;
    TQuarterNotes cycleEndMusic;
    double tempo;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    Chord chord;
    int32_t smpteOffsetSubframes;
    FrameRate frameRate;
    int32_t samplesToNextClock;
};

class IParameterChanges;
class IEventList;

struct ProcessData
{
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t numSamples;
    int32_t numInputs;
    int32_t numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

struct NoteOnEvent
{
    int16_t channel;
    int16_t pitch;
    float tuning;
    float velocity;
    int32_t length;
    int32_t noteId;
};

struct NoteOffEvent
{
    int16_t channel;
    int16_t pitch;
    float velocity;
    int32_t noteId;
    float tuning;
};

struct DataEvent
{
    enum DataTypes : uint32_t
    {
        kMidiSysEx = 0, // a whole system-exclusive message, F0 to F7
    };
    uint32_t size;
    uint32_t type;
    const uint8_t* bytes;
};

struct PolyPressureEvent
{
    int16_t channel;
    int16_t pitch;
    float pressure;
    int32_t noteId;
};

struct NoteExpressionValueEvent
{
    uint32_t typeId;
    int32_t noteId;
    double value;
};

struct NoteExpressionTextEvent
{
    uint32_t typeId;
    int32_t noteId;
    uint32_t textLen;
    const TChar* text;
};

struct ChordEvent
{
    int16_t root;
    int16_t bassNote;
    int16_t mask;
    uint16_t textLen;
    const TChar* text;
};

struct ScaleEvent
{
    int16_t root;
    int16_t mask;
    uint16_t textLen;
    const TChar* text;
};

struct LegacyMIDICCOutEvent
{
    uint8_t controlNumber;
    int8_t channel;
    int8_t value;
    int8_t value2;
};

struct Event
{
    enum EventTypes : uint16_t
    {
        kNoteOnEvent = 0,
        kNoteOffEvent = 1,
        kDataEvent = 2,
        kPolyPressureEvent = 3,
        kNoteExpressionValueEvent = 4,
        kNoteExpressionTextEvent = 5,
        kChordEvent = 6,
        kScaleEvent = 7,
        kLegacyMIDICCOutEvent = 65535,
    };
    int32_t busIndex;
    int32_t sampleOffset;
    TQuarterNotes ppqPosition;
    uint16_t flags;
    uint16_t type;
    union
    {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        DataEvent data;
        PolyPressureEvent polyPressure;
        NoteExpressionValueEvent noteExpressionValue;
        NoteExpressionTextEvent noteExpressionText;
        ChordEvent chord;
        ScaleEvent scale;
        LegacyMIDICCOutEvent midiCCOut;
    };
};

struct ParameterInfo
{
    enum ParameterFlags : int32_t
    {
        kNoFlags = 0,
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        kIsList = 1 << 3,
        kIsHidden = 1 << 4,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16,
    };
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32_t stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32_t flags;
};

constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;

struct UnitInfo
{
    UnitID id;
    UnitID parentUnitId;
    String128 name;
    ProgramListID programListId;
};

struct ProgramListInfo
{
    ProgramListID id;
    String128 name;
    int32_t programCount;
};

struct ViewRect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

enum RestartFlags : int32_t
{
    kReloadComponent = 1 << 0,
    kIoChanged = 1 << 1,
    kParamValuesChanged = 1 << 2,
    kLatencyChanged = 1 << 3,
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

// Interfaces. None has a virtual destructor, which would add slots: an object is ended through release.

class FUnknown
{
public:
    virtual tresult VST3CALL queryInterface(const char* interfaceId, void** object) = 0;
    virtual uint32_t VST3CALL addRef() = 0;
    virtual uint32_t VST3CALL release() = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

protected:
    ~FUnknown() = default;
};

class IBStream : public FUnknown
{
public:
    enum IStreamSeekMode : int32_t
    {
        kIBSeekSet = 0,
        kIBSeekCur = 1,
        kIBSeekEnd = 2,
    };
    virtual tresult VST3CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) = 0;
    virtual tresult VST3CALL write(void* buffer, int32_t numBytes, int32_t* numBytesWritten) = 0;
    virtual tresult VST3CALL seek(int64_t pos, int32_t mode, int64_t* result) = 0;
    virtual tresult VST3CALL tell(int64_t* pos) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);

protected:
    ~IBStream() = default;
};

class IPluginBase : public FUnknown
{
public:
    virtual tresult VST3CALL initialize(FUnknown* context) = 0;
    virtual tresult VST3CALL terminate() = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);

protected:
    ~IPluginBase() = default;
};

class IPluginFactory : public FUnknown
{
public:
    virtual tresult VST3CALL getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32_t VST3CALL countClasses() = 0;
    virtual tresult VST3CALL getClassInfo(int32_t index, PClassInfo* info) = 0;
    virtual tresult VST3CALL createInstance(FIDString cid, FIDString interfaceId, void** object) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);

protected:
    ~IPluginFactory() = default;
};

class IPluginFactory2 : public IPluginFactory
{
public:
    virtual tresult VST3CALL getClassInfo2(int32_t index, PClassInfo2* info) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);

protected:
    ~IPluginFactory2() = default;
};

class IComponentHandler : public FUnknown
{
public:
    virtual tresult VST3CALL beginEdit(ParamID id) = 0;
    virtual tresult VST3CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult VST3CALL endEdit(ParamID id) = 0;
    virtual tresult VST3CALL restartComponent(int32_t flags) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);

protected:
    ~IComponentHandler() = default;
};

class IComponent : public IPluginBase
{
public:
    virtual tresult VST3CALL getControllerClassId(char* classId) = 0;
    virtual tresult VST3CALL setIoMode(IoMode mode) = 0;
    virtual int32_t VST3CALL getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult VST3CALL getBusInfo(MediaType type, BusDirection dir, int32_t index, BusInfo& bus) = 0;
    virtual tresult VST3CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult VST3CALL activateBus(MediaType type, BusDirection dir, int32_t index, TBool state) = 0;
    virtual tresult VST3CALL setActive(TBool state) = 0;
    virtual tresult VST3CALL setState(IBStream* state) = 0;
    virtual tresult VST3CALL getState(IBStream* state) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);

protected:
    ~IComponent() = default;
};

class IParamValueQueue : public FUnknown
{
public:
    virtual ParamID VST3CALL getParameterId() = 0;
    virtual int32_t VST3CALL getPointCount() = 0;
    virtual tresult VST3CALL getPoint(int32_t index, int32_t& sampleOffset, ParamValue& value) = 0;
    virtual tresult VST3CALL addPoint(int32_t sampleOffset, ParamValue value, int32_t& index) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);

protected:
    ~IParamValueQueue() = default;
};

class IParameterChanges : public FUnknown
{
public:
    virtual int32_t VST3CALL getParameterCount() = 0;
    virtual IParamValueQueue* VST3CALL getParameterData(int32_t index) = 0;
    virtual IParamValueQueue* VST3CALL addParameterData(const ParamID& id, int32_t& index) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);

protected:
    ~IParameterChanges() = default;
};

class IEventList : public FUnknown
{
public:
    virtual int32_t VST3CALL getEventCount() = 0;
    virtual tresult VST3CALL getEvent(int32_t index, Event& e) = 0;
    virtual tresult VST3CALL addEvent(Event& e) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);

protected:
    ~IEventList() = default;
};

class IAudioProcessor : public FUnknown
{
public:
    virtual tresult VST3CALL setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                                SpeakerArrangement* outputs, int32_t numOuts) = 0;
    virtual tresult VST3CALL getBusArrangement(BusDirection dir, int32_t index, SpeakerArrangement& arr) = 0;
    virtual tresult VST3CALL canProcessSampleSize(int32_t symbolicSampleSize) = 0;
    virtual uint32_t VST3CALL getLatencySamples() = 0;
    virtual tresult VST3CALL setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult VST3CALL setProcessing(TBool state) = 0;
    virtual tresult VST3CALL process(ProcessData& data) = 0;
    virtual uint32_t VST3CALL getTailSamples() = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);

protected:
    ~IAudioProcessor() = default;
};

class IPlugView;

class IEditController : public IPluginBase
{
public:
    virtual tresult VST3CALL setComponentState(IBStream* state) = 0;
    virtual tresult VST3CALL setState(IBStream* state) = 0;
    virtual tresult VST3CALL getState(IBStream* state) = 0;
    virtual int32_t VST3CALL getParameterCount() = 0;
    virtual tresult VST3CALL getParameterInfo(int32_t paramIndex, ParameterInfo& info) = 0;
    virtual tresult VST3CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                   String128 string) = 0;
    virtual tresult VST3CALL getParamValueByString(ParamID id, TChar* string,
                                                   ParamValue& valueNormalized) = 0;
    virtual ParamValue VST3CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue VST3CALL plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue VST3CALL getParamNormalized(ParamID id) = 0;
    virtual tresult VST3CALL setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult VST3CALL setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* VST3CALL createView(FIDString name) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);

protected:
    ~IEditController() = default;
};

class IMidiMapping : public FUnknown
{
public:
    virtual tresult VST3CALL getMidiControllerAssignment(int32_t busIndex, int16_t channel,
                                                         CtrlNumber midiControllerNumber, ParamID& id) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5);

protected:
    ~IMidiMapping() = default;
};

class IUnitInfo : public FUnknown
{
public:
    virtual int32_t VST3CALL getUnitCount() = 0;
    virtual tresult VST3CALL getUnitInfo(int32_t unitIndex, UnitInfo& info) = 0;
    virtual int32_t VST3CALL getProgramListCount() = 0;
    virtual tresult VST3CALL getProgramListInfo(int32_t listIndex, ProgramListInfo& info) = 0;
    virtual tresult VST3CALL getProgramName(ProgramListID listId, int32_t programIndex, String128 name) = 0;
    virtual tresult VST3CALL getProgramInfo(ProgramListID listId, int32_t programIndex,
                                            const char8* attributeId, String128 attributeValue) = 0;
    virtual tresult VST3CALL hasProgramPitchNames(ProgramListID listId, int32_t programIndex) = 0;
    virtual tresult VST3CALL getProgramPitchName(ProgramListID listId, int32_t programIndex,
                                                 int16_t midiPitch, String128 name) = 0;
    virtual UnitID VST3CALL getSelectedUnit() = 0;
    virtual tresult VST3CALL selectUnit(UnitID unitId) = 0;
    virtual tresult VST3CALL getUnitByBus(MediaType type, BusDirection dir, int32_t busIndex, int32_t channel,
                                          UnitID& unitId) = 0;
    virtual tresult VST3CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex,
                                                IBStream* data) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);

protected:
    ~IUnitInfo() = default;
};

class IPlugFrame : public FUnknown
{
public:
    virtual tresult VST3CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);

protected:
    ~IPlugFrame() = default;
};

class IPlugView : public FUnknown
{
public:
    virtual tresult VST3CALL isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult VST3CALL attached(void* parent, FIDString type) = 0;
    virtual tresult VST3CALL removed() = 0;
    virtual tresult VST3CALL onWheel(float distance) = 0;
    virtual tresult VST3CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult VST3CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult VST3CALL getSize(ViewRect* size) = 0;
    virtual tresult VST3CALL onSize(ViewRect* newSize) = 0;
    virtual tresult VST3CALL onFocus(TBool state) = 0;
    virtual tresult VST3CALL setFrame(IPlugFrame* frame) = 0;
    virtual tresult VST3CALL canResize() = 0;
    virtual tresult VST3CALL checkSizeConstraint(ViewRect* rect) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);

protected:
    ~IPlugView() = default;
};

class ITimerHandler : public FUnknown
{
public:
    virtual void VST3CALL onTimer() = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);

protected:
    ~ITimerHandler() = default;
};

class IEventHandler;

// The host's run loop on Linux, which the frame answers for: timers on the host's user-interface thread.
class IRunLoop : public FUnknown
{
public:
    virtual tresult VST3CALL registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult VST3CALL unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult VST3CALL registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult VST3CALL unregisterTimer(ITimerHandler* handler) = 0;
    static constexpr Vst3Uid iid = MakeVst3Uid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);

protected:
    ~IRunLoop() = default;
};

// The plug-in's kinds and editor window kinds, as hosts name them.
constexpr const char* kVstAudioEffectClass = "Audio Module Class";
constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";
constexpr const char* kPlatformTypeHWND = "HWND";
constexpr const char* kEditorViewType = "editor";

static_assert(sizeof(ParameterInfo) == 792 && offsetof(ParameterInfo, defaultNormalizedValue) == 776,
              "ParameterInfo layout");
static_assert(sizeof(BusInfo) == 276, "BusInfo layout");
static_assert(offsetof(ProcessSetup, sampleRate) == 16 && sizeof(ProcessSetup) == 24, "ProcessSetup layout");
static_assert(sizeof(AudioBusBuffers) == 24, "AudioBusBuffers layout");
static_assert(offsetof(Event, noteOn) == 24 && sizeof(Event) == 48, "Event layout");
static_assert(sizeof(ViewRect) == 16, "ViewRect layout");
static_assert(offsetof(ProcessContext, sampleRate) == 8, "ProcessContext layout");
static_assert(sizeof(ProcessData) == (sizeof(void*) == 8 ? 80 : 48), "ProcessData layout");

} // namespace host
