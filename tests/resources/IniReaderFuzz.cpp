// libFuzzer target: any bytes as an ini file, loaded sorted and unsorted and
// queried.
#include <cstddef>
#include <cstdint>

#include "resources/CIniFileReader.h"

using namespace resources;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (bool sort : {false, true})
    {
        CIniFileReader reader;
        reader.LoadFromMemory(data, size, sort);
        char out[16];
        for (const char* section : {"", "a", "section"})
        {
            for (const char* key : {"", "a", "key"})
                reader.GetValue(section, key, "d", out, sizeof out);
        }
    }
    return 0;
}
