// Reads a whole ini-style file into memory and answers lookups from it.
// Section and key names match case-insensitively. Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace resources
{

class CIniFileReader
{
public:
    static constexpr size_t kMaxSectionName = 63;
    static constexpr size_t kMaxKeyName = 8191;
    static constexpr size_t kMaxValue = 8191;

    // Loads the file, replacing what was loaded before; sorts when asked. False
    // for an empty path, a missing or empty file, or a failed allocation.
    bool Load(const char* path, bool sort);
    // Loads bytes as if they were the whole file; the path stays as it was.
    bool LoadFromMemory(const void* bytes, size_t length, bool sort);
    // Sorts sections and each section's keys by name so lookups can bisect.
    void Sort();
    // Copies the value of key in section into out (at most size - 1 characters);
    // the default when the key is missing or empty. True when the section exists.
    // False without writing when key or out is missing or size is 0. A null or
    // empty section names the keys that come before the first section header.
    bool GetValue(const char* section, const char* key, const char* defaultValue, char* out, size_t size);

    bool IsLoaded() const { return loaded_; }
    bool IsSorted() const { return sorted_; }
    const std::string& FileName() const { return fileName; }
    size_t SectionCount() const { return sections_.size(); }

private:
    struct Key
    {
        std::string name;
        std::string value;
    };
    struct Section
    {
        char name[kMaxSectionName + 1];
        std::vector<Key> keys;
        bool sorted;
    };

    void Clear();
    // Parses a buffer that holds length bytes followed by two zero bytes.
    void LoadBuffer(std::vector<char>& buffer, size_t length, bool sort);
    void Parse(char* text, size_t length);
    size_t SectionForHeader(const char* name);
    void RemoveEmpty();
    int FindSection(const char* name) const;
    const Key* FindKey(const Section& section, const char* name) const;

    std::string fileName;
    std::vector<Section> sections_;
    int lastSection = -1;
    bool sorted_ = false;
    bool loaded_ = false;
};

} // namespace resources
