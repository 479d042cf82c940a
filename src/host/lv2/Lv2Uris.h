// The URIs that name the LV2 plug-in, its editor and the keys of its saved state.
#pragma once

#define VIRELLANDO_LV2_URI "https://tallowind.example/plugins/virellando"

namespace host
{

namespace lv2uri
{
constexpr const char* kPlugin = VIRELLANDO_LV2_URI;
constexpr const char* kEditor = VIRELLANDO_LV2_URI "#editor";
// The instrument's state chunk, and the program it is on.
constexpr const char* kStateChunk = VIRELLANDO_LV2_URI "#chunk";
constexpr const char* kStateProgram = VIRELLANDO_LV2_URI "#program";
// A factory program as an LV2 preset: this prefix and its index.
constexpr const char* kProgramPrefix = VIRELLANDO_LV2_URI "#program-";
} // namespace lv2uri

} // namespace host
