#include "gui/CSkin.h"

#include <cstdio>
#include <vector>

#include "gui/SkinNumber.h"
#include "gui/SkinRenderer.h"
#include "resources/FileNames.h"

using namespace images;
using namespace platform;
using namespace resources;

namespace gui
{

namespace
{
constexpr int kMaxStyle = 19;
constexpr uint32_t kMaxComponent = 255;

bool FileExists(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

// The notes of a layered item keep "\n" as two characters in the file.
std::string UnescapeNotes(std::string text)
{
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1))
        text.replace(at, 2, "\n");
    return text;
}
} // namespace

void CSkin::GetDefaultDefinition(SkinItemDefinition& definition) const
{
    definition = SkinItemDefinition{};
    SkinGradientLayer layer;
    layer.style = 2;
    layer.start = layer.end = 0xf09d66;
    layer.stops = {{0xfee9e7, 390}, {0xffecda, 650}, {0xfbd6c2, 230}, {0xf8ccad, 820}};
    definition.layers.push_back(layer);
}

bool CSkin::Load(const char* path)
{
    return reader.Load(path, true);
}

std::string CSkin::ReadValue(const char* section, const char* key)
{
    char value[CIniFileReader::kMaxValue + 1] = {};
    reader.GetValue(section, key, "", value, sizeof value);
    return value;
}

std::string CSkin::ReadFormatted(const char* section, const char* format, unsigned a, unsigned b)
{
    char key[128];
    std::snprintf(key, sizeof key, format, a, b);
    return ReadValue(section, key);
}

const std::string& CSkin::GetFolder()
{
    if (!folderKnown)
    {
        folder = resources::ModuleFolder();
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        folderKnown = true;
    }
    return folder;
}

std::string CSkin::MakeAbsolute(const std::string& fileName)
{
    const std::string joined = GetFolder() + "/" + fileName;
    if (joined.size() < SkinItemDefinition::kMaxFileName && FileExists(joined))
        return joined;
    return fileName;
}

bool CSkin::Resolve(const char* itemName, SkinItemDefinition& definition, int depth)
{
    definition.layers.clear();
    if (!itemName || !*itemName)
    {
        GetDefaultDefinition(definition);
        return false;
    }
    if (depth > kMaxAliasDepth)
    {
        GetDefaultDefinition(definition);
        return false;
    }
    const std::string alias = ReadValue(itemName, "use");
    if (!alias.empty())
        return Resolve(alias.c_str(), definition, depth + 1);

    if (ReadSolidColour(itemName, definition.colour))
    {
        definition.kind = kSkinSolidColour;
        return true;
    }
    const std::string image = ReadValue(itemName, "image fn");
    if (!image.empty())
    {
        definition.kind = kSkinImageFile;
        definition.fileName = MakeAbsolute(image);
        return true;
    }
    const std::string tiled = ReadValue(itemName, "tiled fn");
    if (!tiled.empty())
    {
        definition.kind = kSkinTiledFile;
        definition.fileName = MakeAbsolute(tiled);
        return true;
    }
    int32_t resource = 0;
    if (SkinNumber::ReadSigned(ReadValue(itemName, "image res ID"), resource) && resource > 0)
    {
        definition.kind = kSkinResource;
        definition.resourceId = resource;
        return true;
    }
    if (ReadLayers(itemName, definition))
    {
        definition.kind = kSkinLayered;
        return true;
    }
    GetDefaultDefinition(definition);
    return false;
}

bool CSkin::ReadSolidColour(const char* section, ColourRef& colour)
{
    uint32_t r, g, b;
    if (!SkinNumber::ReadUnsigned(ReadValue(section, "solid color.r"), r) ||
        !SkinNumber::ReadUnsigned(ReadValue(section, "solid color.g"), g) ||
        !SkinNumber::ReadUnsigned(ReadValue(section, "solid color.b"), b) || r > kMaxComponent ||
        g > kMaxComponent || b > kMaxComponent)
        return false;
    colour = r | g << 8 | b << 16;
    return true;
}

bool CSkin::ReadColour(const char* section, const char* redKey, const char* greenKey, const char* blueKey,
                       unsigned a, unsigned b, ColourRef& colour)
{
    uint32_t r, g, bl;
    if (!SkinNumber::ReadUnsigned(ReadFormatted(section, redKey, a, b), r) ||
        !SkinNumber::ReadUnsigned(ReadFormatted(section, greenKey, a, b), g) ||
        !SkinNumber::ReadUnsigned(ReadFormatted(section, blueKey, a, b), bl) || r > kMaxComponent ||
        g > kMaxComponent || bl > kMaxComponent)
        return false;
    colour = r | g << 8 | bl << 16;
    return true;
}

bool CSkin::ReadLayer(const char* section, unsigned index, SkinGradientLayer& layer)
{
    int32_t opacity;
    if (SkinNumber::ReadSigned(ReadFormatted(section, "Opacity.%u", index), opacity))
        layer.opacity = opacity < 0 ? 0 : opacity;
    uint32_t style;
    if (!SkinNumber::ReadUnsigned(ReadFormatted(section, "Style.%u", index), style) || style > kMaxStyle)
        return false;
    layer.style = static_cast<int>(style);
    if (index > 1)
    {
        int32_t blend;
        uint32_t blendStyle;
        if (!SkinNumber::ReadSigned(ReadFormatted(section, "Blend As Gradient.%u", index), blend) ||
            !SkinNumber::ReadUnsigned(ReadFormatted(section, "Blend Gradient Style.%u", index), blendStyle) ||
            blendStyle > kMaxStyle)
            return false;
        layer.blendAsGradient = blend != 0;
        layer.blendGradientStyle = static_cast<int>(blendStyle);
    }
    // The start colour's blue key is spelled with a lower-case s.
    if (!ReadColour(section, "Start.R.%u", "Start.G.%u", "start.B.%u", index, 0, layer.start) ||
        !ReadColour(section, "End.R.%u", "End.G.%u", "End.B.%u", index, 0, layer.end))
        return false;
    uint32_t stops;
    if (!SkinNumber::ReadUnsigned(ReadFormatted(section, "Num Extra Colors.%u", index), stops))
        return false;
    for (uint32_t stop = 1; stop <= stops; ++stop)
    {
        ColourStop extra;
        int32_t location;
        if (!ReadColour(section, "Extra.R.%u.%u", "Extra.G.%u.%u", "Extra.B.%u.%u", stop, index,
                        extra.colour) ||
            !SkinNumber::ReadSigned(ReadFormatted(section, "Extra Location.%u.%u", stop, index), location))
            break;
        extra.location = location;
        layer.stops.push_back(extra);
    }
    return true;
}

bool CSkin::ReadLayers(const char* section, SkinItemDefinition& definition)
{
    uint32_t count;
    if (!SkinNumber::ReadUnsigned(ReadValue(section, "Num Layers"), count))
        return false;
    definition.name = ReadValue(section, "Name");
    definition.notes = UnescapeNotes(ReadValue(section, "Notes"));
    definition.layers.reserve(8);
    for (uint32_t index = 1; index <= count; ++index)
    {
        SkinGradientLayer layer;
        if (!ReadLayer(section, index, layer))
            break;
        definition.layers.push_back(layer);
    }
    return !definition.layers.empty();
}

bool CSkin::Render(const SkinItemDefinition& definition, int width, int height, CImage& out)
{
    return SkinRenderer(*this).Render(definition, width, height, out);
}

} // namespace gui
