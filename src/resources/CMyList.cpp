#include "resources/CMyList.h"

#include <cstring>

namespace resources
{

CMyList::~CMyList()
{
    while (head != nullptr)
    {
        Entry* next = head->next;
        delete head;
        head = next;
    }
}

void CMyList::Append(const char* key, const char* value)
{
    Entry* entry = new Entry{key != nullptr ? key : "", value != nullptr ? value : "", nullptr};
    if (tail == nullptr)
    {
        head = entry;
    }
    else
    {
        tail->next = entry;
    }
    tail = entry;
}

const char* CMyList::Find(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    for (const Entry* entry = head; entry != nullptr; entry = entry->next)
    {
        if (entry->key == key)
            return entry->value.c_str();
    }
    return nullptr;
}

bool CMyList::Remove(const char* key, const char* value)
{
    if (key == nullptr || value == nullptr)
        return false;
    Entry* previous = nullptr;
    for (Entry* entry = head; entry != nullptr; previous = entry, entry = entry->next)
    {
        if (entry->key != key || entry->value != value)
            continue;
        (previous == nullptr ? head : previous->next) = entry->next;
        if (tail == entry)
            tail = previous;
        delete entry;
        return true;
    }
    return false;
}

size_t CMyList::Count() const
{
    size_t count = 0;
    for (const Entry* entry = head; entry != nullptr; entry = entry->next)
        ++count;
    return count;
}

} // namespace resources
