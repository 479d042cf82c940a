#pragma once

#include "instrument/programs/StoredProgram.h"

#include <string>
#include <vector>

namespace instrument
{

// The readable source of the factory programs, compiled into the presets file at build time. Each
// "[name]" section is one program; each of its lines "key = value" gives one parameter in the units a
// musician reads:
//
//   lid            Closed | OpenSome | OpenMore | Open
//   reverb type    MediumHall | LargeHall | Plate | Cathedral | Room1 | Room2 | Room3
//   velocity curve Very Light | Light | Normal | Heavy | Very Heavy
//   hammer, reverb, volume, resonance, chorus   percent 0..100 (volume 50 is unity gain)
//   bass, mid, high                             percent 0..200 (100 is flat)
//
// Every program sets all eleven. Lines starting with ";" or "#" are comments. Names and keys compare
// without regard to letter case; a trailing "%" after a number is allowed.
class PresetSource
{
public:
    // Parses `text`; on failure returns false, keeps no programs and describes the first fault, with its
    // line number, in error().
    bool parse(const std::string& text);

    const std::vector<StoredProgram>& programs() const { return storedPrograms; }
    const std::string& error() const { return lastError; }

private:
    bool fail(int line, const std::string& message);
    bool parseLine(int line, const std::string& text);
    bool finishProgram(int line);
    bool setValue(int line, const std::string& key, const std::string& value);

    std::vector<StoredProgram> storedPrograms;
    std::string lastError;
    // The program being read: its settings, which parameters it has set, and its name.
    PianoSettings current;
    bool seen[ParameterTable::kCount] = {};
    std::string programName;
    bool inProgram = false;
};

} // namespace instrument
