// Texts between our UTF-8 and VST3's records: UTF-16 String128 fields, and 8-bit fields cut to their size.
#pragma once

#include <cstddef>
#include <string>

#include "host/vst3/Vst3Interface.h"

namespace host
{

// Copies the text into the field, cut to fit with its terminator.
void CopyToString128(const std::string& text, String128 field);
// The UTF-8 text of a terminated UTF-16 string of at most `limit` units.
std::string Utf8Of(const TChar* text, size_t limit = 128);
// Copies the text into an 8-bit field of `size` bytes, cut to fit with its terminator.
void CopyToChar8(const char* text, char8* field, size_t size);

} // namespace host
