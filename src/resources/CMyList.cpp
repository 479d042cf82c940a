#include "resources/CMyList.h"

#include <cstring>

namespace resources
{

CMyList::~CMyList()
{
    while (head_ != nullptr)
    {
        Entry* next = head_->next;
        delete head_;
        head_ = next;
    }
}

void CMyList::Append(const char* key, const char* value)
{
    Entry* entry = new Entry{key != nullptr ? key : "", value != nullptr ? value : "", nullptr};
    if (tail_ == nullptr)
    {
        head_ = entry;
    }
    else
    {
        tail_->next = entry;
    }
    tail_ = entry;
}

const char* CMyList::Find(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    for (const Entry* entry = head_; entry != nullptr; entry = entry->next)
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
    for (Entry* entry = head_; entry != nullptr; previous = entry, entry = entry->next)
    {
        if (entry->key != key || entry->value != value)
            continue;
        (previous == nullptr ? head_ : previous->next) = entry->next;
        if (tail_ == entry)
            tail_ = previous;
        delete entry;
        return true;
    }
    return false;
}

size_t CMyList::Count() const
{
    size_t count = 0;
    for (const Entry* entry = head_; entry != nullptr; entry = entry->next)
        ++count;
    return count;
}

} // namespace resources
