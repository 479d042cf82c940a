#include "mkdemo/ScoreParser.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace mkdemo
{

namespace
{

constexpr int lowestKey = 21;   // a0
constexpr int highestKey = 108; // c8

struct Level
{
    const char* name;
    int velocity;
};
constexpr Level levels[] = {{"ppp", 20}, {"pp", 32}, {"p", 45},   {"mp", 58},
                            {"mf", 72},  {"f", 88},  {"ff", 104}, {"fff", 120}};

bool levelVelocity(const std::string& name, int& velocity)
{
    for (const Level& level : levels)
        if (name == level.name)
        {
            velocity = level.velocity;
            return true;
        }
    return false;
}

// Splits a line at blanks, keeping a bracketed chord with its duration as one token; '#' starts a comment
// unless it follows a note letter.
std::vector<std::string> tokenize(const std::string& line)
{
    std::vector<std::string> tokens;
    std::string current;
    int depth = 0;
    for (size_t i = 0; i < line.size(); ++i)
    {
        const char c = line[i];
        if (c == '#' && current.empty() && depth == 0)
            break;
        if (c == '[')
            ++depth;
        if (c == ']')
            --depth;
        if ((c == ' ' || c == '\t' || c == '\r') && depth == 0)
        {
            if (!current.empty())
                tokens.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.empty())
        tokens.push_back(current);
    return tokens;
}

// "c4" is 60; letters, then sharps or flats, then the octave.
bool parsePitch(const std::string& text, int& key)
{
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (text.size() < 2 || text[0] < 'a' || text[0] > 'g')
        return false;
    int value = semitones[text[0] - 'a'];
    size_t i = 1;
    for (; i < text.size() && (text[i] == '#' || text[i] == 'b'); ++i)
        value += text[i] == '#' ? 1 : -1;
    if (i + 1 != text.size() || text[i] < '0' || text[i] > '9')
        return false;
    key = 12 * (text[i] - '0' + 1) + value;
    return key >= lowestKey && key <= highestKey;
}

bool parseWholeNumber(const std::string& text, long low, long high, long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

} // namespace

bool ScoreParser::fail(const std::string& message)
{
    errorText = "line " + std::to_string(lineNumber) + ": " + message;
    return false;
}

int ScoreParser::voiceIndex(const std::string& name)
{
    auto found = std::find(parsed.voices.begin(), parsed.voices.end(), name);
    if (found != parsed.voices.end())
        return int(found - parsed.voices.begin());
    parsed.voices.push_back(name);
    voiceStates.push_back(VoiceState{64, parsed.ticksPerQuarter});
    return int(parsed.voices.size()) - 1;
}

bool ScoreParser::parseDuration(const std::string& text, uint64_t& ticks) const
{
    const uint64_t whole = 4u * parsed.ticksPerQuarter;
    ticks = 0;
    std::stringstream parts(text);
    std::string part;
    while (std::getline(parts, part, '+'))
    {
        if (part.empty())
            return false;
        static const std::string names = "whqest";
        const size_t shift = names.find(part[0]);
        if (shift == std::string::npos)
            return false;
        uint64_t value = whole >> shift;
        size_t i = 1;
        if (i < part.size() && part[i] == '.')
        {
            value += value / 2;
            ++i;
        }
        if (part.compare(i, std::string::npos, "/3") == 0)
        {
            if (value % 3 != 0)
                return false;
            value = value * 2 / 3;
            i += 2;
        }
        if (i != part.size() || value == 0)
            return false;
        ticks += value;
    }
    return ticks > 0;
}

bool ScoreParser::parse(const std::string& text)
{
    parsed = Score();
    errorText.clear();
    voiceStates.clear();
    voicesInBar.clear();
    lineNumber = 0;
    barNumber = 0;
    barStart = 0;
    barLength = 0;

    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        ++lineNumber;
        const std::vector<std::string> tokens = tokenize(line);
        if (!tokens.empty() && !parseLine(tokens))
            return false;
    }
    finishBar();
    if (barNumber == 0)
        return fail("the score has no bars");
    return checkOverlaps();
}

void ScoreParser::finishBar()
{
    if (barNumber > 0)
    {
        barStart += barLength;
        parsed.endTick = barStart;
    }
    voicesInBar.clear();
}

bool ScoreParser::parseLine(const std::vector<std::string>& tokens)
{
    const std::string& head = tokens[0];
    long number = 0;
    if (head == "title")
    {
        parsed.title.clear();
        for (size_t i = 1; i < tokens.size(); ++i)
            parsed.title += (i > 1 ? " " : "") + tokens[i];
        return true;
    }
    if (head == "division" || head == "meter")
    {
        if (barNumber > 0)
            return fail(head + " must come before the first bar");
        if (tokens.size() != 2)
            return fail(head + " takes one value");
        if (head == "division")
        {
            if (!parseWholeNumber(tokens[1], 24, 7680, number) || number % 24 != 0)
                return fail("division must be a multiple of 24 from 24 to 7680");
            parsed.ticksPerQuarter = uint16_t(number);
            return true;
        }
        const size_t slash = tokens[1].find('/');
        long denominator = 0;
        if (slash == std::string::npos || !parseWholeNumber(tokens[1].substr(0, slash), 1, 32, number) ||
            !parseWholeNumber(tokens[1].substr(slash + 1), 1, 16, denominator) ||
            (denominator & (denominator - 1)) != 0)
            return fail("meter must look like 3/4 or 6/8");
        parsed.meterNumerator = int(number);
        parsed.meterDenominator = int(denominator);
        return true;
    }
    if (head == "bar")
    {
        finishBar();
        ++barNumber;
        barLength =
            uint64_t(parsed.meterNumerator) * 4u * parsed.ticksPerQuarter / uint64_t(parsed.meterDenominator);
        if (tokens.size() > 2 ||
            (tokens.size() == 2 && (!parseWholeNumber(tokens[1], 0, 100000, number) || number != barNumber)))
            return fail("this is bar " + std::to_string(barNumber) + ", not '" +
                        (tokens.size() > 1 ? tokens[1] : "") + "'");
        return true;
    }
    if (head == "tempo" && tokens.size() == 2 && tokens[1].find(':') == std::string::npos)
    {
        long bpm = 0;
        if (!parseWholeNumber(tokens[1], 10, 400, bpm))
            return fail("tempo must be 10 to 400 quarter notes per minute");
        parsed.tempo.push_back({barStart, double(bpm)});
        return true;
    }
    if (barNumber == 0)
        return fail("'" + head + "' before the first bar");
    if (std::find(voicesInBar.begin(), voicesInBar.end(), head) != voicesInBar.end())
        return fail("voice '" + head + "' appears twice in bar " + std::to_string(barNumber));
    voicesInBar.push_back(head);
    const std::vector<std::string> rest(tokens.begin() + 1, tokens.end());
    if (head == "pedal")
        return parsePedalLine(rest);
    if (head == "tempo")
        return parseTempoLine(rest);
    return parseVoiceLine(head, rest);
}

bool ScoreParser::parseVoiceLine(const std::string& name, const std::vector<std::string>& tokens)
{
    const int voice = voiceIndex(name);
    VoiceState& state = voiceStates[size_t(voice)];
    const uint64_t barEnd = barStart + barLength;
    uint64_t position = barStart;
    // A hairpin runs from where it is written to the end of the bar.
    bool hairpin = false;
    uint64_t hairpinStart = 0;
    int fromVelocity = 0;
    int toVelocity = 0;

    for (const std::string& token : tokens)
    {
        int velocity = 0;
        if (levelVelocity(token, velocity))
        {
            state.velocity = velocity;
            continue;
        }
        if ((token[0] == '<' || token[0] == '>') && levelVelocity(token.substr(1), velocity))
        {
            hairpin = true;
            hairpinStart = position;
            fromVelocity = state.velocity;
            toVelocity = velocity;
            continue;
        }

        std::string body = token;
        int accent = 0;
        bool staccato = false;
        while (!body.empty() && (body.back() == '^' || body.back() == '\''))
        {
            if (body.back() == '^')
                accent = 10;
            else
                staccato = true;
            body.pop_back();
        }
        const size_t colon = body.rfind(':');
        uint64_t duration = state.lastDuration;
        if (colon != std::string::npos)
        {
            if (!parseDuration(body.substr(colon + 1), duration))
                return fail("'" + token + "' has an unknown duration");
            body.erase(colon);
        }
        state.lastDuration = duration;

        std::vector<int> keys;
        if (body != "r")
        {
            std::string pitches = body;
            if (pitches.size() >= 2 && pitches.front() == '[' && pitches.back() == ']')
                pitches = pitches.substr(1, pitches.size() - 2);
            std::istringstream words(pitches);
            std::string word;
            while (words >> word)
            {
                int key = 0;
                if (!parsePitch(word, key))
                    return fail("'" + word + "' is not a pitch from a0 to c8");
                keys.push_back(key);
            }
            if (keys.empty())
                return fail("'" + token + "' holds no pitch");
        }
        if (position + duration > barEnd)
            return fail("voice '" + name + "' runs past the end of bar " + std::to_string(barNumber));

        int base = state.velocity;
        if (hairpin)
            base = fromVelocity + int((toVelocity - fromVelocity) * double(position - hairpinStart) /
                                      double(barEnd - hairpinStart));
        const int velocity127 = std::clamp(base + accent, 1, 127);
        for (int key : keys)
        {
            ScoreNote note;
            note.start = position;
            note.length = staccato ? std::max<uint64_t>(duration / 2, 1) : duration;
            note.key = uint8_t(key);
            note.velocity = uint8_t(velocity127);
            note.voice = voice;
            note.bar = barNumber;
            parsed.notes.push_back(note);
        }
        position += duration;
    }
    if (hairpin)
        state.velocity = toVelocity;
    if (position != barEnd)
        return fail("voice '" + name + "' fills " + std::to_string(position - barStart) + " of the bar's " +
                    std::to_string(barLength) + " ticks");
    return true;
}

bool ScoreParser::parsePedalLine(const std::vector<std::string>& tokens)
{
    // Pressing again a little after the beat lets the new harmony's notes catch the pedal without the old
    // one.
    const uint64_t changeDelay = parsed.ticksPerQuarter / 8;
    uint64_t position = barStart;
    for (const std::string& token : tokens)
    {
        const size_t colon = token.find(':');
        uint64_t duration = 0;
        if (colon == std::string::npos || !parseDuration(token.substr(colon + 1), duration))
            return fail("pedal wants action:duration, such as change:h, not '" + token + "'");
        const std::string action = token.substr(0, colon);
        if (action == "down")
            parsed.pedal.push_back({position, true});
        else if (action == "up")
            parsed.pedal.push_back({position, false});
        else if (action == "change")
        {
            if (duration <= changeDelay)
                return fail("a pedal change needs more than " + std::to_string(changeDelay) + " ticks");
            parsed.pedal.push_back({position, false});
            parsed.pedal.push_back({position + changeDelay, true});
        }
        else if (action != "hold")
            return fail("pedal action '" + action + "' is not down, up, change or hold");
        position += duration;
    }
    if (position != barStart + barLength)
        return fail("the pedal line does not fill bar " + std::to_string(barNumber));
    return true;
}

bool ScoreParser::parseTempoLine(const std::vector<std::string>& tokens)
{
    uint64_t position = barStart;
    for (const std::string& token : tokens)
    {
        const size_t colon = token.find(':');
        long bpm = 0;
        uint64_t duration = 0;
        if (colon == std::string::npos || !parseWholeNumber(token.substr(0, colon), 10, 400, bpm) ||
            !parseDuration(token.substr(colon + 1), duration))
            return fail("tempo wants bpm:duration, such as 60:h, not '" + token + "'");
        parsed.tempo.push_back({position, double(bpm)});
        position += duration;
    }
    if (position != barStart + barLength)
        return fail("the tempo line does not fill bar " + std::to_string(barNumber));
    return true;
}

bool ScoreParser::checkOverlaps()
{
    std::vector<ScoreNote> byKey = parsed.notes;
    std::stable_sort(byKey.begin(), byKey.end(),
                     [](const ScoreNote& a, const ScoreNote& b)
                     { return a.key != b.key ? a.key < b.key : a.start < b.start; });
    for (size_t i = 1; i < byKey.size(); ++i)
    {
        const ScoreNote& held = byKey[i - 1];
        const ScoreNote& struck = byKey[i];
        if (held.key == struck.key && struck.start < held.start + held.length)
        {
            errorText = "bar " + std::to_string(struck.bar) + ": key " + std::to_string(struck.key) +
                        " in voice '" + parsed.voices[size_t(struck.voice)] +
                        "' is struck while still held from bar " + std::to_string(held.bar) + " in voice '" +
                        parsed.voices[size_t(held.voice)] + "'";
            return false;
        }
    }
    return true;
}

} // namespace mkdemo
