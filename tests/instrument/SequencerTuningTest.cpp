// Tuning from the sequencer, heard: a bank of one clean sine (A 440 on key 69) shows each key's pitch,
// measured from the rendered audio, after the host's tuning messages; malformed ones change nothing.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/LoadWait.h"
#include "engine/SampleDataCache.h"
#include "instrument/PianoTestBanks.h"
#include "instrument/PlayingInstrument.h"
#include "instrument/programs/ParameterTable.h"

using namespace host;
using namespace instrument;

namespace
{
using Bytes = std::vector<uint8_t>;
constexpr double kRate = 44100.0;
constexpr int kBlock = 256;

// Master fine tuning of +15.0024 cents (the nearest the message comes to 15) and master coarse tuning.
const Bytes kFifteenCentsUp = {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x4D, 0x49, 0xF7};
constexpr double kFifteenCents = 1229.0 * 100.0 / 8192.0;
Bytes MasterCoarse(int semitones)
{
    return {0xF0, 0x7F, 0x7F, 0x04, 0x04, 0x00, static_cast<uint8_t>(64 + semitones), 0xF7};
}

// A single-note change of one key to a pitch in cents above key 0, real-time or with its bank in either form.
Bytes KeyTo(int key, double cents, bool realTime = true, bool bankForm = false)
{
    const int semitone = static_cast<int>(cents / 100.0);
    const int fraction = static_cast<int>(std::lround((cents - semitone * 100.0) * 16384.0 / 100.0));
    // The bank form has the tuning bank (0) before the program.
    Bytes dump = {0xF0,
                  static_cast<uint8_t>(realTime ? 0x7F : 0x7E),
                  0x7F,
                  0x08,
                  static_cast<uint8_t>(bankForm ? 0x07 : 0x02),
                  0x00,
                  0x00,
                  0x01,
                  static_cast<uint8_t>(key),
                  static_cast<uint8_t>(semitone),
                  static_cast<uint8_t>(fraction >> 7),
                  static_cast<uint8_t>(fraction & 0x7F),
                  0xF7};
    if (!bankForm)
        dump.erase(dump.begin() + 5);
    return dump;
}

// An octave tuning in the two-byte form for every channel: offsets from equal temperament, C first.
Bytes OctaveTwoBytes(const double (&cents)[12], bool realTime)
{
    Bytes dump = {0xF0, static_cast<uint8_t>(realTime ? 0x7F : 0x7E), 0x7F, 0x08, 0x09, 0x03, 0x7F, 0x7F};
    for (double offset : cents)
    {
        const int value = static_cast<int>(std::lround(8192.0 + offset * 8192.0 / 100.0));
        dump.insert(dump.end(), {static_cast<uint8_t>(value >> 7), static_cast<uint8_t>(value & 0x7F)});
    }
    dump.push_back(0xF7);
    return dump;
}

// Werckmeister III: each pitch class in cents above C, from its ratio.
const double kWerckmeister[12] = {0.0,     90.225,  192.180, 294.135, 390.225, 498.045,
                                  588.270, 696.090, 792.180, 888.270, 996.090, 1092.180};

// A master fine tuning of a fraction of a cent, +0.4028 (00 40 is none; each step is 100/8192 cents).
const Bytes kFractionUp = {0xF0, 0x7F, 0x7F, 0x04, 0x03, 0x21, 0x40, 0xF7};
constexpr double kFraction = 33.0 * 100.0 / 8192.0;

// The frequency of a pure tone from its first and last rising zero crossings, each placed between its two
// samples by linear interpolation.
double Frequency(const std::vector<float>& x, size_t from, size_t to, double rate)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        if (x[i - 1] < 0.0f && x[i] >= 0.0f)
        {
            const double at = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
            if (first < 0.0)
                first = at;
            last = at;
            ++crossings;
        }
    return crossings > 1 ? (crossings - 1) * rate / (last - first) : 0.0;
}

double Cents(double frequency, double reference)
{
    return 1200.0 * std::log2(frequency / reference);
}

// The frequency of a key played at a pitch in cents above key 0.
double FrequencyAt(double cents)
{
    return 440.0 * std::pow(2.0, (cents - 6900.0) / 1200.0);
}

class SequencerTuning : public PlayingInstrument
{
protected:
    void SetUp() override
    {
        PlayingInstrument::SetUp();
        startTuned();
    }

    void startTuned()
    {
        synth.reset();
        start(instrumenttest::TunedBank());
        synth->setBlockSize(kBlock);
        // Only the dry tone: no reverb tail, no chorus moving the pitch.
        synth->setParameter(ParameterTable::kReverbAmount, 0.0f);
        synth->setParameter(ParameterTable::kChorus, 0.0f);
        render(kBlock, kBlock);
    }

    void send(const std::vector<Bytes>& dumps)
    {
        std::vector<HostDump> listed;
        for (const Bytes& dump : dumps)
            listed.push_back(HostDump{0, dump});
        synth->processEvents(eventList({}, listed));
        render(kBlock, kBlock);
    }

    // Strikes a key, lets it settle, measures half a second of it held, and releases it.
    double played(int key)
    {
        sendHost({{0, kNoteOn, key, 100}});
        render(static_cast<int>(kRate * 0.1), kBlock);
        const double frequency = held(static_cast<int>(kRate * 0.5));
        sendHost({{0, kNoteOff, key, 0}});
        render(static_cast<int>(kRate * 0.1), kBlock);
        return frequency;
    }

    double held(int frames)
    {
        const Block block = render(frames, kBlock);
        return Frequency(block.left, 0, block.left.size(), kRate);
    }
};
} // namespace

// Without tuning messages A4 is 440 Hz; the master tunings move it by their cents and semitones, together
// too; a single-note change puts one key where it says.
TEST_F(SequencerTuning, KeysSoundAtThePitchTheMessagesGive)
{
    const struct
    {
        const char* what;
        std::vector<Bytes> dumps;
        int key;
        double cents;
    } cases[] = {
        {"no tuning", {}, 69, 6900.0},
        {"master fine tuning +15 cents", {kFifteenCentsUp}, 69, 6900.0 + kFifteenCents},
        {"master coarse tuning -12", {MasterCoarse(-12)}, 69, 5700.0},
        {"master fine and coarse tuning", {kFifteenCentsUp, MasterCoarse(2)}, 60, 6200.0 + kFifteenCents},
        {"key 69 a quarter semitone up", {KeyTo(69, 6925.0)}, 69, 6925.0},
        {"key 64 to A 440", {KeyTo(64, 6900.0)}, 64, 6900.0},
        {"the bank form, then master fine tuning",
         {KeyTo(72, 7050.0, true, true), kFifteenCentsUp},
         72,
         7050.0 + kFifteenCents},
    };
    for (const auto& row : cases)
    {
        startTuned();
        send(row.dumps);
        EXPECT_NEAR(Cents(played(row.key), FrequencyAt(row.cents)), 0.0, 0.1) << row.what;
    }
}

// The synthesizer plays whole cents: fractions of a cent from a key's tuning and from the master fine
// tuning, each under half a cent but together above it, still leave the key within half a cent.
TEST_F(SequencerTuning, FractionsOfACentAddUpBeforeTheyAreRounded)
{
    const double key = 6900.0 + 66.0 * 100.0 / 16384.0;
    send({KeyTo(69, key), kFractionUp});
    EXPECT_NEAR(Cents(played(69), FrequencyAt(key + kFraction)), 0.0, 0.5);
    send({KeyTo(69, 6900.0)});
    EXPECT_NEAR(Cents(played(69), FrequencyAt(6900.0 + kFraction)), 0.0, 0.5);
}

// Under an octave tuning of Werckmeister III, A kept at 440 Hz, each of the twelve notes sounds within half
// a cent of its table.
TEST_F(SequencerTuning, AnOctaveTuningOfWerckmeisterThreeTunesEveryNote)
{
    double offsets[12];
    for (int i = 0; i < 12; ++i)
        offsets[i] = kWerckmeister[i] - kWerckmeister[9] - 100.0 * (i - 9);
    send({OctaveTwoBytes(offsets, true)});
    for (int key = 60; key < 72; ++key)
    {
        const double table = 100.0 * key + offsets[key % 12];
        EXPECT_NEAR(Cents(played(key), FrequencyAt(table)), 0.0, 0.5) << "key " << key;
    }
    // Every octave alike.
    EXPECT_NEAR(Cents(played(33), FrequencyAt(3300.0 + offsets[9])), 0.0, 0.5);
}

// A real-time message retunes the notes already sounding; the non-real-time form only the notes struck
// after it.
TEST_F(SequencerTuning, OnlyTheRealTimeFormsRetuneSoundingNotes)
{
    const double kPythagorean[12] = {0,      -9.775, 3.910,  -5.865, 7.820,  -1.955,
                                     11.730, 1.955,  -7.820, 5.865,  -3.910, 9.775};
    const struct
    {
        const char* what;
        Bytes dump;
        double cents; // key 69's new pitch
        bool sounding;
    } cases[] = {
        {"single-note change", KeyTo(69, 6950.0), 6950.0, true},
        {"single-note change with bank, real-time", KeyTo(69, 6870.0, true, true), 6870.0, true},
        {"single-note change with bank, non-real-time", KeyTo(69, 6950.0, false, true), 6950.0, false},
        {"octave tuning, real-time", OctaveTwoBytes(kPythagorean, true), 6900.0 + 5.865, true},
        {"octave tuning, non-real-time", OctaveTwoBytes(kPythagorean, false), 6900.0 + 5.865, false},
        {"master fine tuning", kFifteenCentsUp, 6900.0 + kFifteenCents, true},
    };
    for (const auto& row : cases)
    {
        startTuned();
        sendHost({{0, kNoteOn, 69, 100}});
        render(static_cast<int>(kRate * 0.1), kBlock);
        send({row.dump});
        const double sounding = held(static_cast<int>(kRate * 0.5));
        EXPECT_NEAR(Cents(sounding, FrequencyAt(row.sounding ? row.cents : 6900.0)), 0.0, 0.5) << row.what;
        sendHost({{0, kNoteOff, 69, 0}});
        render(static_cast<int>(kRate * 0.1), kBlock);
        EXPECT_NEAR(Cents(played(69), FrequencyAt(row.cents)), 0.0, 0.5) << row.what << ", struck again";
    }
}

// A message in the middle of a long block takes effect there: the held note turns an octave higher from the
// synthesizer's next internal block of 64 frames on, which the output brings its delay later.
TEST_F(SequencerTuning, AMessageTakesEffectAtItsFrame)
{
    constexpr int kLong = 8192, kAt = 4000;
    synth->setBlockSize(kLong);
    sendHost({{0, kNoteOn, 69, 100}});
    render(kLong, kLong);
    synth->processEvents(eventList({}, {{kAt, MasterCoarse(12)}}));
    const Block block = render(kLong, kLong);
    // The last rising zero crossing before the first period shorter than three quarters of 440 Hz's.
    const double period = kRate / 440.0;
    double previous = -1.0;
    double change = -1.0;
    for (size_t i = 1; i < block.left.size() && change < 0.0; ++i)
        if (block.left[i - 1] < 0.0f && block.left[i] >= 0.0f)
        {
            if (previous >= 0.0 && static_cast<double>(i) - previous < 0.75 * period)
                change = previous;
            previous = static_cast<double>(i);
        }
    const double heard = kAt + synth->outputDelay();
    EXPECT_GE(change, heard - period - 1.0);
    EXPECT_LE(change, heard + 64.0);
    EXPECT_NEAR(Frequency(block.left, 0, static_cast<size_t>(heard - period), kRate), 440.0, 0.5);
    EXPECT_NEAR(Frequency(block.left, static_cast<size_t>(heard + 64 + period), block.left.size(), kRate),
                880.0, 1.0);
}

// The tuning is no controller: "reset all controllers", the panic messages and a program change keep it,
// and so does a change of sample rate, which makes a new synthesizer.
TEST_F(SequencerTuning, NothingButAnotherTuningMessageUndoesATuning)
{
    send({kFifteenCentsUp, KeyTo(72, 7210.0)});
    sendHost({{0, kControl, 121, 0}, {1, kControl, 120, 0}, {2, kControl, 123, 0}});
    synth->setProgram(3);
    render(kBlock, kBlock);
    EXPECT_NEAR(Cents(played(69), FrequencyAt(6900.0 + kFifteenCents)), 0.0, 0.1);
    EXPECT_NEAR(Cents(played(72), FrequencyAt(7210.0 + kFifteenCents)), 0.0, 0.1);

    synth->suspend();
    synth->setSampleRate(48000.0f);
    synth->resume();
    ASSERT_TRUE(enginetest::WaitForLoadDone(engine::SampleDataCache::shared()));
    render(kBlock, kBlock);
    sendHost({{0, kNoteOn, 72, 100}});
    render(4800, kBlock);
    const Block block = render(24000, kBlock);
    EXPECT_NEAR(
        Cents(Frequency(block.left, 0, block.left.size(), 48000.0), FrequencyAt(7210.0 + kFifteenCents)), 0.0,
        0.1);
}

// Dumps that are not tuning messages for the piano, and dumps the host describes wrongly, change nothing;
// a good message after them in the same list still counts.
TEST_F(SequencerTuning, MalformedDumpsAreIgnored)
{
    const Bytes good = KeyTo(69, 6950.0);
    const auto with = [&good](size_t at, uint8_t value)
    {
        Bytes dump = good;
        dump[at] = value;
        return dump;
    };
    const std::vector<Bytes> bad = {
        with(2, 0x10),                                               // another device
        with(6, 0x02),                                               // its count says two changes
        with(5, 0x01),                                               // tuning program 1
        with(good.size() - 1, 0x00),                                 // cut off before its end
        Bytes(good.begin(), good.end() - 2),                         // cut short
        with(8, 0xC0),                                               // a status byte inside
        {0xF0, 0x7F, 0x7F, 0x08, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, // an octave tuning for no channel
         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7},
        {0xF0, 0x7E, 0x7F, 0x04, 0x03, 0x00, 0x7F, 0xF7}, // master fine tuning, non-real-time form
        Bytes(100000, 0x7F),                              // huge
        {},                                               // empty
    };
    for (const Bytes& dump : bad)
        send({dump});
    // Dumps whose description lies: no bytes, a negative or a huge length, a null pointer.
    Bytes dump = good;
    VstMidiSysexEvent lies[4] = {};
    const VstInt32 lengths[4] = {0, -5, 0x7FFFFFFF, static_cast<VstInt32>(good.size())};
    std::vector<unsigned char> storage(sizeof(VstEvents) + 4 * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = 4;
    for (int i = 0; i < 4; ++i)
    {
        lies[i].type = kVstSysExType;
        lies[i].byteSize = sizeof lies[i];
        lies[i].dumpBytes = lengths[i];
        lies[i].sysexDump = i < 3 ? reinterpret_cast<char*>(dump.data()) : nullptr;
        list->events[i] = reinterpret_cast<VstEvent*>(&lies[i]);
    }
    synth->processEvents(list);
    render(kBlock, kBlock);
    EXPECT_NEAR(Cents(played(69), 440.0), 0.0, 0.1);

    send({bad[0], bad[1], good, bad[2]});
    EXPECT_NEAR(Cents(played(69), FrequencyAt(6950.0)), 0.0, 0.1);
}
