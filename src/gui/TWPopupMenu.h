#pragma once
// A pop-up menu of text items with check marks and separators, drawn by the toolkit and shown in a
// native pop-up; Track returns the id of the chosen item (the editor's drop-down menus).
// Runs a modal loop on the user-interface thread.
#include <memory>
#include <string>
#include <vector>

#include "images/CImage.h"
#include "images/Font.h"
#include "platform/native/NativePopup.h"

namespace gui
{

class TWGuiWindow;

class TWPopupMenu : private platform::NativePopupHandler
{
public:
    static constexpr int kDismissed = 0;
    static constexpr platform::ColourRef kBackground = 0xf0f0f0;
    static constexpr platform::ColourRef kHighlight = 0xd77800;
    static constexpr platform::ColourRef kFrame = 0x808080;

    TWPopupMenu();
    ~TWPopupMenu() override;

    // Ids should be non-zero: 0 is what a dismissed menu returns.
    void AddItem(int id, const char* text, bool checked = false, bool enabled = true);
    void AddSeparator();
    size_t GetItemCount() const { return items.size(); }

    // Shows the menu with its top-left corner at a point of the window (window coordinates);
    // the id of the chosen item, or kDismissed.
    int Track(TWGuiWindow& window, int x, int y);
    int Track(platform::NativePopup& popup, int screenX, int screenY);

    // The picture as it looks now, and which item lies under a point of it (-1: none).
    const images::CImage& GetPicture();
    int ItemAt(int x, int y) const;
    platform::Rect GetItemRect(size_t index) const;

private:
    struct Item
    {
        int id;
        std::string text;
        bool checked;
        bool enabled;
        bool separator;
    };
    bool OnPopupMouse(platform::NativeMouseMessage message, int x, int y) override;
    bool OnPopupKey(int virtualKey) override;
    const images::CImage& GetPopupPicture() override { return GetPicture(); }
    void Layout();
    void Render();
    void MoveHot(int step);
    int ItemHeight(const Item& item) const;

    std::vector<Item> items;
    std::unique_ptr<images::Font> font;
    images::CImage picture;
    bool dirty = true;
    int hot = -1;
    int result = kDismissed;
    int width = 0;
    int height = 0;
};

} // namespace gui
