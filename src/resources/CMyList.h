// A singly linked list of owned key/value strings: one bucket of a CHashTable.
#pragma once

#include <string>

namespace resources
{

class CMyList
{
public:
    CMyList() = default;
    ~CMyList();
    CMyList(const CMyList&) = delete;
    CMyList& operator=(const CMyList&) = delete;

    // Appends an entry without looking for an existing one with the same key.
    void Append(const char* key, const char* value);
    // The value of the first entry whose key equals key exactly; nullptr if none.
    const char* Find(const char* key) const;
    // Removes the first entry whose key and value both match; false if none.
    bool Remove(const char* key, const char* value);
    size_t Count() const;

private:
    struct Entry
    {
        std::string key;
        std::string value;
        Entry* next;
    };
    Entry* head = nullptr;
    Entry* tail = nullptr;
};

} // namespace resources
