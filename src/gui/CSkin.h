#pragma once
// The skin: an ini-style file beside the module whose sections describe named picture items.
// Resolves item names (following "use" aliases up to 10 levels) into definitions and renders
// definitions at a size. Used on the user-interface thread.
#include <cstddef>
#include <string>

#include "gui/SkinItemDefinition.h"
#include "resources/CIniFileReader.h"

namespace images
{
class CImage;
}

namespace gui
{

class CSkin
{
public:
    static constexpr int kMaxAliasDepth = 10;

    CSkin() = default;
    virtual ~CSkin() = default;
    // The definition used for an item the skin lacks: a warm vertical gradient.
    virtual void GetDefaultDefinition(SkinItemDefinition& definition) const;

    // Loads and sorts the skin file; false when it cannot be read (every item then falls back).
    bool Load(const char* path);
    // Fills definition for the item; false for an empty name or when nothing resolves, in which
    // case definition holds the default.
    bool Resolve(const char* itemName, SkinItemDefinition& definition, int depth = 1);
    // Draws a definition at a size (0 × 0: an image's own size) into out; false when nothing could
    // be drawn (a file or resource that does not load).
    bool Render(const SkinItemDefinition& definition, int width, int height, images::CImage& out);
    // The module's folder without a trailing separator, found on first use.
    const std::string& GetFolder();
    // The name joined to the module's folder when such a file exists, else the name unchanged.
    std::string MakeAbsolute(const std::string& fileName);

protected:
    // One value from the item's section, "" when missing. Tests replace it to see which keys are read.
    virtual std::string ReadValue(const char* section, const char* key);

private:
    bool ReadSolidColour(const char* section, platform::ColourRef& colour);
    bool ReadLayers(const char* section, SkinItemDefinition& definition);
    bool ReadLayer(const char* section, unsigned index, SkinGradientLayer& layer);
    bool ReadColour(const char* section, const char* redKey, const char* greenKey, const char* blueKey,
                    unsigned a, unsigned b, platform::ColourRef& colour);
    std::string ReadFormatted(const char* section, const char* format, unsigned a, unsigned b = 0);

    resources::CIniFileReader reader;
    std::string folder;
    bool folderKnown = false;
};

} // namespace gui
