#include "resources/StringTable.h"
#include "resources/StringTableTesting.h"

#include <atomic>
#include <cstring>
#include <fstream>

#include "platform/CriticalSection.h"
#include "resources/CHashTable.h"
#include "resources/TextCompare.h"

namespace resources
{
namespace
{

constexpr uint32_t kCacheBuckets = 25;

struct StringTableState
{
    // The section itself lives as long as the module, so a lookup that holds it
    // while the last instance "deletes" the lock is not left holding freed memory.
    platform::CriticalSection lock;
    std::atomic<bool> hasLock{false};
    std::string file;
    CHashTable cache{kCacheBuckets};
};

StringTableState& State()
{
    static StringTableState state;
    return state;
}

size_t CopyOut(const char* text, size_t length, char* out, size_t size)
{
    const size_t count = length < size - 1 ? length : size - 1;
    std::memcpy(out, text, count);
    out[count] = '\0';
    return count;
}

size_t CopyOut(const std::string& text, char* out, size_t size)
{
    return CopyOut(text.data(), text.size(), out, size);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

void ReplaceAll(std::string& text, const char* from, const char* to)
{
    const size_t fromLength = std::strlen(from);
    const size_t toLength = std::strlen(to);
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + toLength))
    {
        text.replace(at, fromLength, to);
    }
}

void Unescape(std::string& text)
{
    ReplaceAll(text, "\\r\\n", "\n");
    ReplaceAll(text, "\\n", "\n");
    ReplaceAll(text, "\\t", "\t");
    ReplaceAll(text, "\\\"", "\"");
}

// The value of the first line whose name matches key; sections play no part.
bool FindInFile(const std::string& path, const char* key, std::string& value)
{
    std::ifstream file(path, std::ios::in);
    if (!file)
        return false;
    std::string line;
    bool firstLine = true;
    // Lines are read whole, however long, so the tail of a long line is never
    // taken for a line of its own.
    while (std::getline(file, line))
    {
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        firstLine = false;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.empty() || line[0] == '[' || line[0] == ';')
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        size_t nameEnd = equals;
        while (nameEnd > 0 && IsBlank(line[nameEnd - 1]))
            --nameEnd;
        if (!EqualNoCase(line.substr(0, nameEnd).c_str(), key))
            continue;
        size_t valueStart = equals + 1;
        while (valueStart < line.size() && IsBlank(line[valueStart]))
            ++valueStart;
        value = line.substr(valueStart);
        return true;
    }
    return false;
}

size_t LookupLocked(StringTableState& state, const char* key, char* out, size_t size, const char* file,
                    bool unescape)
{
    const bool ownFile = file == nullptr || file[0] == '\0';
    if (ownFile)
    {
        if (const char* cached = state.cache.Lookup(key))
        {
            return CopyOut(cached, std::strlen(cached), out, size);
        }
    }
    std::string text;
    if (!FindInFile(ownFile ? state.file : std::string(file), key, text))
    {
        return CopyOut(key, std::strlen(key), out, size);
    }
    if (unescape)
        Unescape(text);
    if (ownFile && key[0] != '\0')
    {
        if (text.size() > 2 && text.front() == '"' && text.back() == '"')
        {
            text = text.substr(1, text.size() - 2);
        }
        // Only unescaped texts are cached: a raw text would otherwise be handed to
        // every later caller that asks for the unescaped form.
        if (unescape)
            state.cache.Insert(key, text.c_str());
    }
    return CopyOut(text, out, size);
}

} // namespace

void StringTableSetFile(const char* path)
{
    StringTableState& state = State();
    platform::CriticalSectionLock lock(state.hasLock ? &state.lock : nullptr);
    try
    {
        state.file = path != nullptr ? path : "";
    }
    catch (...)
    {
        state.file.clear();
    }
}

std::string StringTableFile()
{
    StringTableState& state = State();
    platform::CriticalSectionLock lock(state.hasLock ? &state.lock : nullptr);
    return state.file;
}

size_t StringTableLookup(const char* key, char* out, size_t size, const char* file, bool unescape)
{
    if (out == nullptr || size == 0)
        return 0;
    if (key == nullptr)
        key = "";
    StringTableState& state = State();
    platform::CriticalSectionLock lock(state.hasLock ? &state.lock : nullptr);
    try
    {
        return LookupLocked(state, key, out, size, file, unescape);
    }
    catch (...)
    {
        return CopyOut(key, std::strlen(key), out, size);
    }
}

std::string StringTableText(const char* key)
{
    char text[4096];
    const size_t length = StringTableLookup(key, text, sizeof text);
    return std::string(text, length);
}

void StringTableClearCacheForTesting()
{
    StringTableState& state = State();
    platform::CriticalSectionLock lock(state.hasLock ? &state.lock : nullptr);
    state.cache.Clear();
}

void StringTableCreateLock()
{
    State().hasLock = true;
}

void StringTableDeleteLock()
{
    State().hasLock = false;
}

bool StringTableHasLock()
{
    return State().hasLock;
}

} // namespace resources
