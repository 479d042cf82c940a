#pragma once
// A four-state push button drawn from skin images ("<name>-0" normal, "-1" hover, "-2" pressed,
// "-3" disabled) that cross-fades between states and may carry a caption; a completed click sends
// its event with the control id. The editor's drop-downs are buttons with a caption.
// Used on the user-interface thread.
#include <cstdint>
#include <string>

#include "editor/SkinImageHold.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/TWGuiControl.h"
#include "images/Font.h"
#include "platform/Rect.h"

namespace editor
{

class GuiButton : public gui::TWGuiControl
{
public:
    static constexpr int kStateNormal = 0;
    static constexpr int kStateHover = 1;
    static constexpr int kStatePressed = 2;
    static constexpr int kStateDisabled = 3;
    static constexpr int kAllStates = 4;
    static constexpr uint32_t kFadeMs = 125;

    GuiButton(int32_t controlId, const char* skinItem, const char* captionKey, const char* tooltipKey,
              gui::ImageManager* imageCache, gui::CSkin* sharedSkin, int eventId, int32_t buttonFlags);

    void setCaptionColour(platform::ColourRef colour, int forState);
    void setCaptionRect(const platform::Rect& r, int forState);
    // The key is translated through the string table.
    void setCaptionText(const char* key);
    const std::string& getCaption() const { return caption; }
    void setCaptionFormat(unsigned format) { captionFormat = format; }
    void setFont(const images::Font* captionFont) { font = captionFont; }
    void setDrawCaption(bool on) { drawCaption = on; }
    int getState() const { return state; }

    void Enable() override;
    void Disable() override;
    bool IsEnabled() const override { return enabled; }
    void Draw(const platform::Rect& r) override;
    bool OnMouse(int event, int posX, int posY, unsigned keyState) override;
    bool GetToolTipText(int posX, int posY, char* out, size_t size) override;
    virtual void DrawCaption(const platform::Rect& r);

private:
    void setState(int newState);
    bool holdsCapture() const;
    void press();
    void releaseAt(int posX, int posY);

    int eventId;
    int32_t flags;
    int state = kStateNormal;
    std::string skinName;
    SkinImageHold stateImages[4];
    std::string caption;
    std::string tooltip;
    bool drawCaption = false;
    const images::Font* font = nullptr;
    platform::Rect captionRects[4];
    unsigned captionFormat = 0x25;
    platform::ColourRef captionColours[4] = {};
    bool enabled = true;
    bool fading = false;
    uint32_t fadeStart = 0;
    int fadeFrom = kStateNormal;
};

} // namespace editor
