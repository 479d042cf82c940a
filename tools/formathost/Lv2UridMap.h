// The URID map and unmap features of the LV2 test host: every URI gets the next number, for good.
// One thread at a time.
#pragma once

#include <lv2/urid/urid.h>

#include <map>
#include <string>
#include <vector>

namespace formathost
{

class Lv2UridMap
{
public:
    Lv2UridMap();
    Lv2UridMap(const Lv2UridMap&) = delete;
    Lv2UridMap& operator=(const Lv2UridMap&) = delete;

    LV2_URID map(const std::string& uri);
    // Empty for a number never handed out.
    std::string unmap(LV2_URID urid) const;

    LV2_URID_Map* mapFeature() { return &mapData; }
    LV2_URID_Unmap* unmapFeature() { return &unmapData; }

private:
    std::map<std::string, LV2_URID> numbers;
    std::vector<std::string> uris;
    LV2_URID_Map mapData;
    LV2_URID_Unmap unmapData;
};

} // namespace formathost
