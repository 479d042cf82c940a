// The data of a feature the LV2 host offers an instance or a UI.
#pragma once

#include <lv2/core/lv2.h>

namespace host
{

// Null when the host does not offer the feature (or offers it without data).
const void* Lv2FeatureData(const LV2_Feature* const* features, const char* uri);

} // namespace host
