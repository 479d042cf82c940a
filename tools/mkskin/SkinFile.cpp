#include "mkskin/SkinFile.h"

#include <cstdio>

namespace mkskin
{
void SkinFile::addImage(const std::string& item, const std::string& fileName)
{
    items.push_back({item, "image fn", fileName});
}

void SkinFile::addAlias(const std::string& item, const std::string& target)
{
    items.push_back({item, "use", target});
}

bool SkinFile::write(const std::string& path) const
{
    const std::string partial = path + ".partial";
    FILE* f = std::fopen(partial.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "; Virellando's skin: every picture of the editor and of the splash screen.\n"
                    "; Drawn by virellando-mkskin at build time; edit the program, not this file.\n");
    for (const Item& item : items)
        std::fprintf(f, "\n[%s]\n%s=%s\n", item.name.c_str(), item.key.c_str(), item.value.c_str());
    const bool written = std::fflush(f) == 0 && !std::ferror(f);
    std::fclose(f);
    return written && std::rename(partial.c_str(), path.c_str()) == 0;
}
} // namespace mkskin
