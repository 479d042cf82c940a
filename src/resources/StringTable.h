// The string table: every user-visible text is looked up by key in the string
// file beside the module. A key without an entry is shown as the key itself.
// Threads: lookups may come from any thread; while the lock exists (created by
// the first instance, deleted by the last) it serialises them, cache included.
#pragma once

#include <cstddef>
#include <string>

namespace resources
{

// Names the string file used by lookups that give no file of their own.
void StringTableSetFile(const char* path);
std::string StringTableFile();

// Writes the text for key into out (at most size - 1 characters and a
// terminator) and returns its length. With no file the string file is read and
// found texts are cached until the module unloads; a given file is always read
// afresh. Unescaping turns "\r\n" and "\n" into a line feed, "\t" into a tab
// and "\"" into a double quote.
size_t StringTableLookup(const char* key, char* out, size_t size, const char* file = nullptr,
                         bool unescape = true);
// Convenience for callers that want a std::string.
std::string StringTableText(const char* key);

void StringTableCreateLock();
void StringTableDeleteLock();
bool StringTableHasLock();

} // namespace resources
