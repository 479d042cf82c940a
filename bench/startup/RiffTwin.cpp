#include "RiffTwin.h"

#include <fstream>
#include <random>

namespace fs = std::filesystem;

RiffTwin::RiffTwin(const fs::path& bank)
{
    std::random_device random;
    folder = fs::temp_directory_path() / ("virellando-riff-" + std::to_string(random()));
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path copy = folder / "bank.sf2";
    if (error || !fs::copy_file(bank, copy, error))
        return;
    std::fstream file(copy, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(0);
    file.write("RIFF", 4);
    if (file.good())
        twin = copy;
}

RiffTwin::~RiffTwin()
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
