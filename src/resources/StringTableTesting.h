// For tests only: the string table's cache otherwise lives until the module
// unloads, which would tie each test to the ones that ran before it.
#pragma once

namespace resources
{

void StringTableClearCacheForTesting();

} // namespace resources
