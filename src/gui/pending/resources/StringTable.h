#pragma once
// Stand-in for the resources layer's string table until that layer is part of the build: every key
// is its own text.
#include <cstddef>
size_t StringTableLookup(const char* key, char* out, size_t size, const char* file = nullptr, bool unescape = true);
