#include "resources/CIniFileReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/Platform.h"
#include "resources/Log.h"
#include "resources/TextCompare.h"

namespace resources
{

namespace
{

using resources::CompareNoCase;
using resources::EqualNoCase;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

void CopyBounded(const char* text, size_t length, char* out, size_t size)
{
    const size_t count = std::min(length, size - 1);
    std::memcpy(out, text, count);
    out[count] = '\0';
}

void CopyBounded(const char* text, char* out, size_t size)
{
    CopyBounded(text, std::strlen(text), out, size);
}

// UTF-16 little-endian text (with its mark, or recognised by a zero in every
// second byte) becomes 8-bit text of the units' low bytes, in place. Returns
// the new length.
size_t NarrowUtf16(char* text, size_t length)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t start = 0;
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    {
        start = 2;
    }
    else
    {
        if (length < 2)
            return length;
        for (size_t i = 1; i < length; i += 2)
        {
            if (bytes[i] != 0)
                return length;
        }
    }
    const size_t units = (length - start) / 2;
    auto isZeroUnit = [&](size_t unit)
    { return unit >= units || (bytes[start + 2 * unit] == 0 && bytes[start + 2 * unit + 1] == 0); };
    size_t narrowed = 0;
    for (size_t unit = 0; unit < units; ++unit)
    {
        if (isZeroUnit(unit) && isZeroUnit(unit + 1))
            break;
        const unsigned char low = bytes[start + 2 * unit];
        // A character whose low byte is zero would end the text early.
        text[narrowed++] = low != 0 ? static_cast<char>(low) : '?';
    }
    text[narrowed] = '\0';
    return narrowed;
}

// A requested section name is compared by the same 63 characters a header keeps.
void BoundedSectionName(const char* name, char (&bounded)[CIniFileReader::kMaxSectionName + 1])
{
    const char* source = name != nullptr ? name : "";
    const size_t length = std::min(std::strlen(source), CIniFileReader::kMaxSectionName);
    std::memcpy(bounded, source, length);
    bounded[length] = '\0';
}

} // namespace

void CIniFileReader::Clear()
{
    loaded_ = false;
    sections_.clear();
    lastSection = -1;
    sorted_ = false;
}

void CIniFileReader::LoadBuffer(std::vector<char>& buffer, size_t length, bool sort)
{
    Parse(buffer.data(), length);
    if (sort)
        Sort();
    loaded_ = true;
}

bool CIniFileReader::Load(const char* path, bool sort)
{
    Clear();
    if (path == nullptr || path[0] == '\0')
        return false;
    try
    {
        fileName = path;
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
        if (file == nullptr)
            return false;
        std::vector<char> buffer;
        long length = -1;
        if (std::fseek(file.get(), 0, SEEK_END) == 0)
            length = std::ftell(file.get());
        if (length > 0 && std::fseek(file.get(), 0, SEEK_SET) == 0)
        {
            // Two zero bytes end the text, whether it is 8-bit or UTF-16.
            buffer.assign(static_cast<size_t>(length) + 2, '\0');
            length = static_cast<long>(std::fread(buffer.data(), 1, static_cast<size_t>(length), file.get()));
        }
        file.reset();
        if (length <= 0)
            return false;
        LoadBuffer(buffer, static_cast<size_t>(length), sort);
    }
    catch (...)
    {
        // Out of memory: the reader stays unloaded.
        Clear();
    }
    return loaded_;
}

bool CIniFileReader::LoadFromMemory(const void* bytes, size_t length, bool sort)
{
    Clear();
    if (bytes == nullptr || length == 0)
        return false;
    try
    {
        std::vector<char> buffer(length + 2, '\0');
        std::memcpy(buffer.data(), bytes, length);
        LoadBuffer(buffer, length, sort);
    }
    catch (...)
    {
        Clear();
    }
    return loaded_;
}

void CIniFileReader::Parse(char* text, size_t length)
{
    length = NarrowUtf16(text, length);
    size_t pos = 0;
    // Editors may start 8-bit text with a UTF-8 byte-order mark.
    if (length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;

    sections_.push_back(Section{});
    size_t current = 0;
    auto lineEndFrom = [&](size_t from)
    {
        while (from < length && !IsLineEnd(text[from]))
            ++from;
        return from;
    };

    while (pos < length)
    {
        while (pos < length && IsBlank(text[pos]))
            ++pos;
        if (pos >= length)
            break;
        const char first = text[pos];
        if (IsLineEnd(first))
        {
            ++pos;
            continue;
        }
        const size_t lineEnd = lineEndFrom(pos);
        if (first == ';')
        {
            pos = lineEnd;
            continue;
        }
        if (first == '[')
        {
            char name[kMaxSectionName + 1];
            size_t nameLength = 0;
            for (size_t at = pos + 1; at < lineEnd && text[at] != ']'; ++at)
            {
                if (nameLength < kMaxSectionName)
                    name[nameLength++] = text[at];
            }
            name[nameLength] = '\0';
            // "[]" ends the current section: what follows belongs to the unnamed one.
            current = nameLength == 0 ? 0 : SectionForHeader(name);
            pos = lineEnd;
            continue;
        }

        const char* equals = static_cast<const char*>(std::memchr(text + pos, '=', lineEnd - pos));
        if (equals == nullptr)
        {
            pos = lineEnd;
            continue;
        }
        const size_t equalsAt = static_cast<size_t>(equals - text);
        std::string name(text + pos, std::min(equalsAt - pos, kMaxKeyName));
        std::replace(name.begin(), name.end(), '\t', ' ');
        const size_t nameStart = name.find_first_not_of(' ');
        const size_t nameEnd = name.find_last_not_of(' ');
        name =
            nameStart == std::string::npos ? std::string() : name.substr(nameStart, nameEnd - nameStart + 1);

        size_t valueStart = equalsAt + 1;
        while (valueStart < lineEnd && IsBlank(text[valueStart]))
            ++valueStart;
        size_t lastNonBlank = lineEnd;
        while (lastNonBlank > valueStart && IsBlank(text[lastNonBlank - 1]))
            --lastNonBlank;
        std::string value;
        if (lastNonBlank - valueStart >= 2 && text[valueStart] == '"' && text[lastNonBlank - 1] == '"')
        {
            value.assign(text + valueStart + 1, std::min(lastNonBlank - valueStart - 2, kMaxValue));
        }
        else
        {
            value.assign(text + valueStart, std::min(lineEnd - valueStart, kMaxValue));
            while (!value.empty() && IsBlank(value.back()))
                value.pop_back();
        }
        sections_[current].keys.push_back(Key{std::move(name), std::move(value)});
        pos = lineEnd;
    }
    RemoveEmpty();
}

size_t CIniFileReader::SectionForHeader(const char* name)
{
    // A section whose header appears twice keeps the keys of both blocks.
    for (size_t i = 1; i < sections_.size(); ++i)
    {
        if (EqualNoCase(sections_[i].name, name))
            return i;
    }
    Section section{};
    std::strcpy(section.name, name);
    sections_.push_back(std::move(section));
    return sections_.size() - 1;
}

void CIniFileReader::RemoveEmpty()
{
    for (Section& section : sections_)
    {
        section.keys.erase(std::remove_if(section.keys.begin(), section.keys.end(),
                                          [](const Key& key) { return key.name.empty(); }),
                           section.keys.end());
    }
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [](const Section& section) { return section.keys.empty(); }),
                    sections_.end());
}

void CIniFileReader::Sort()
{
    const uint32_t start = platform::GetTickCount();
    std::stable_sort(sections_.begin(), sections_.end(),
                     [](const Section& a, const Section& b) { return CompareNoCase(a.name, b.name) < 0; });
    const unsigned count = static_cast<unsigned>(sections_.size());
    resources::LogFormatted("CIniFileReader::Sort: sorting %u section names took %u ms", count,
                            static_cast<unsigned>(platform::GetTickCount() - start));
    for (Section& section : sections_)
    {
        std::stable_sort(section.keys.begin(), section.keys.end(),
                         [](const Key& a, const Key& b)
                         { return CompareNoCase(a.name.c_str(), b.name.c_str()) < 0; });
        section.sorted = true;
    }
    sorted_ = true;
    // The remembered section's index no longer names the same section.
    lastSection = -1;
    resources::LogFormatted("CIniFileReader::Sort: sorting %u sections + section names took %u ms", count,
                            static_cast<unsigned>(platform::GetTickCount() - start));
}

int CIniFileReader::FindSection(const char* name) const
{
    if (sorted_)
    {
        const auto found = std::lower_bound(sections_.begin(), sections_.end(), name,
                                            [](const Section& section, const char* wanted)
                                            { return CompareNoCase(section.name, wanted) < 0; });
        if (found != sections_.end() && EqualNoCase(found->name, name))
        {
            return static_cast<int>(found - sections_.begin());
        }
        return -1;
    }
    for (size_t i = 0; i < sections_.size(); ++i)
    {
        if (EqualNoCase(sections_[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

const CIniFileReader::Key* CIniFileReader::FindKey(const Section& section, const char* name) const
{
    if (section.sorted)
    {
        const auto found = std::lower_bound(section.keys.begin(), section.keys.end(), name,
                                            [](const Key& key, const char* wanted)
                                            { return CompareNoCase(key.name.c_str(), wanted) < 0; });
        if (found != section.keys.end() && EqualNoCase(found->name.c_str(), name))
            return &*found;
        return nullptr;
    }
    for (const Key& key : section.keys)
    {
        if (EqualNoCase(key.name.c_str(), name))
            return &key;
    }
    return nullptr;
}

bool CIniFileReader::GetValue(const char* section, const char* key, const char* defaultValue, char* out,
                              size_t size)
{
    if (key == nullptr || out == nullptr || size == 0)
        return false;
    out[0] = '\0';
    const char* fallback = defaultValue != nullptr ? defaultValue : "";
    if (!loaded_)
    {
        CopyBounded(fallback, out, size);
        return false;
    }
    char wanted[kMaxSectionName + 1];
    BoundedSectionName(section, wanted);

    int index = -1;
    const int count = static_cast<int>(sections_.size());
    if (lastSection >= 0 && lastSection < count)
    {
        if (EqualNoCase(sections_[lastSection].name, wanted))
        {
            index = lastSection;
        }
        else if (wanted[0] != '\0' && lastSection + 1 < count &&
                 EqualNoCase(sections_[lastSection + 1].name, wanted))
        {
            index = lastSection + 1;
        }
    }
    if (index < 0)
        index = FindSection(wanted);
    if (index < 0)
    {
        CopyBounded(fallback, out, size);
        return false;
    }
    lastSection = index;

    const Key* found = FindKey(sections_[index], key);
    if (found == nullptr || found->value.empty())
    {
        CopyBounded(fallback, out, size);
    }
    else
    {
        CopyBounded(found->value.data(), found->value.size(), out, size);
    }
    return true;
}

} // namespace resources
