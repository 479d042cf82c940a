#include "formathost/Lv2UridMap.h"

namespace formathost
{

namespace
{
LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
{
    return uri ? static_cast<Lv2UridMap*>(handle)->map(uri) : 0;
}

const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid)
{
    static thread_local std::string text;
    text = static_cast<Lv2UridMap*>(handle)->unmap(urid);
    return text.empty() ? nullptr : text.c_str();
}
} // namespace

Lv2UridMap::Lv2UridMap() : mapData{this, mapUri}, unmapData{this, unmapUrid} {}

LV2_URID Lv2UridMap::map(const std::string& uri)
{
    const auto found = numbers.find(uri);
    if (found != numbers.end())
        return found->second;
    uris.push_back(uri);
    const auto number = static_cast<LV2_URID>(uris.size());
    numbers.emplace(uri, number);
    return number;
}

std::string Lv2UridMap::unmap(LV2_URID urid) const
{
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1] : std::string();
}

} // namespace formathost
