#pragma once

#include "instrument/programs/PianoSettings.h"

#include <cstddef>
#include <functional>

namespace instrument
{

// The eleven automatable parameters: how a host value 0..1 sets a settings field, the value reported back,
// and the name, display text and unit label the host shows. Holds only the text lookup, so any thread that
// the host calls parameter operations on may use it. Texts are cut to the 8 characters hosts reserve for
// them: every text buffer passed in must hold at least 9 bytes.
class ParameterTable
{
public:
    enum Index
    {
        kLid,
        kHammerAmount,
        kReverbAmount,
        kReverbType,
        kVolume,
        kVelocityCurve,
        kSympatheticResonance,
        kChorus,
        kBassGain,
        kMidGain,
        kHighGain,
        kCount
    };
    static constexpr std::size_t kTextLimit = 8;

    // Writes the user-visible text for a string-table key into `out` (capacity `size`, NUL-terminated).
    using TextLookup = std::function<void(const char* key, char* out, std::size_t size)>;

    // Without a lookup the keys themselves are shown, as the string table does for a key it lacks.
    explicit ParameterTable(TextLookup textLookup = {});

    // Sets the field of parameter `index` from host value `value`. Returns true when the settings are to
    // be marked changed: the lid always, any other parameter only when its field changed. Values outside
    // 0..1, NaN and indices outside 0..10 change nothing and return false.
    static bool set(PianoSettings& settings, int index, float value);

    // The host value of a parameter: the field, or the centre of a stepped field's step. A damaged field is
    // reported as its nearest valid value; 0 for an index outside 0..10.
    static float reported(const PianoSettings& settings, int index);

    // The value text: a percentage, a lid name, or the looked-up reverb preset or curve name. Nothing is
    // written for an index outside 0..10.
    void display(const PianoSettings& settings, int index, char* text) const;

    // The looked-up parameter name; nothing for an index outside 0..10.
    void name(int index, char* text) const;

    // "%" for the percentages; nothing is written for the lid, reverb type, curve or any other index.
    static void label(int index, char* text);

    // The positions of a stepped parameter (the lid 4, the reverb type 7, the velocity curve 5); 0 for the
    // continuous ones and any index outside 0..10.
    static int steps(int index);
    // The number the display shows at host value 1: 100 for the amounts, 200 for the tone gains, the last
    // position of a stepped parameter; 0 outside 0..10.
    static int displayMaximum(int index);
    // The whole text of a stepped parameter's position, as display shows it but not cut to 8 characters
    // (capacity `size`); false for a continuous parameter or a position outside its range.
    bool stepText(int index, int step, char* text, std::size_t size) const;

    // String-table keys, null outside their ranges.
    static const char* nameKey(int index);
    static const char* reverbPresetKey(int type);

private:
    void lookUp(const char* key, char* text) const;
    // Copies at most kTextLimit bytes and a terminator, never splitting a UTF-8 sequence.
    static void copyCut(const char* source, char* text);

    TextLookup lookup;
};

} // namespace instrument
