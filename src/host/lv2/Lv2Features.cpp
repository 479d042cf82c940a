#include "host/lv2/Lv2Features.h"

#include <cstring>

namespace host
{

const void* Lv2FeatureData(const LV2_Feature* const* features, const char* uri)
{
    for (const LV2_Feature* const* feature = features; feature && *feature; ++feature)
        if ((*feature)->URI && std::strcmp((*feature)->URI, uri) == 0)
            return (*feature)->data;
    return nullptr;
}

} // namespace host
