#include "editor/CSplashDialog.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "editor/SkinImageHold.h"
#include "engine/SampleDataCache.h"
#include "gui/CSkin.h"
#include "images/CCanvas.h"
#include "images/CImage.h"
#include "images/Font.h"
#include "platform/Rect.h"
#include "platform/native/NativeWindow.h"
#include "resources/Log.h"
#include "resources/StringTable.h"

namespace editor
{

using images::CCanvas;
using images::CImage;
using platform::Rect;
using resources::LogLine;

namespace
{
constexpr platform::ColourRef kTextColour = 0xe1e2e3;
constexpr platform::ColourRef kBarFrame = 0x808080;
constexpr platform::ColourRef kBarBack = 0x202020;
constexpr platform::ColourRef kBarFill = 0xd77800;
constexpr size_t kTextSize = 512;

std::string text(const char* key)
{
    char out[kTextSize];
    resources::StringTableLookup(key, out, sizeof out);
    return out;
}

// The one splash of the process: its thread, its holders and the request to stop.
class SplashThread
{
public:
    ~SplashThread()
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            stopping = true;
        }
        wake.notify_all();
        if (thread.joinable())
            thread.join();
    }

    void hold(const std::string& skinFile)
    {
        std::lock_guard<std::mutex> guard(lock);
        ++holders;
        if (thread.joinable() || finished)
            return;
        stopping = false;
        try
        {
            thread = std::thread([this, skinFile] { run(skinFile); });
        }
        catch (...)
        {
            LogLine("Splash screen not shown: no thread for it.");
        }
    }

    void release()
    {
        std::thread ending;
        {
            std::lock_guard<std::mutex> guard(lock);
            if (--holders > 0)
                return;
            stopping = true;
            ending.swap(thread);
        }
        wake.notify_all();
        if (ending.joinable())
            ending.join();
        // The next first read (after every instance has gone) may show it again.
        std::lock_guard<std::mutex> guard(lock);
        if (holders == 0)
            finished = false;
    }

    std::atomic<bool> showing{false};

private:
    void run(const std::string& skinFile)
    {
        {
            // Every holder went before the thread got going: nothing to show any more.
            std::lock_guard<std::mutex> guard(lock);
            if (stopping)
                return;
        }
        std::unique_ptr<platform::NativePopup> popup = platform::CreateStandaloneNativePopup();
        if (!popup)
        {
            LogLine("Splash screen not shown: there is no display to show it on.");
            markFinished();
            return;
        }
        LogLine("Displaying splash screen.");
        CImage picture;
        CImage background;
        loadBackground(skinFile, background);
        const std::string notice = text("VSS_CopyRights");
        const std::string loading = text("VSS_Loading");
        std::unique_ptr<images::Font> font = images::Font::Create("Verdana", 12);
        const Rect area = popup->GetWorkArea();
        const int x = area.left + (area.right - area.left - background.GetWidth()) / 2;
        const int y = area.top + (area.bottom - area.top - background.GetHeight()) / 2;
        LogLine("Splash has no parent, making topmost window");
        showing = true;
        for (;;)
        {
            const int percent = std::clamp(engine::SampleDataCache::shared().loadPercent(), 0, 100);
            draw(picture, background, font.get(), notice, loading, percent);
            popup->Show(picture, x, y);
            if (percent > 99)
            {
                LogLine("Splash complete, ending timer");
                LogLine("Shutting down splash screen");
                popup.reset();
                showing = false;
                LogLine("Finished shutting down splash");
                markFinished();
                return;
            }
            std::unique_lock<std::mutex> guard(lock);
            if (wake.wait_for(guard, std::chrono::milliseconds(CSplashDialog::kTimerMs),
                              [this] { return stopping; }))
                break;
        }
        LogLine("Shutting down splash screen");
        popup.reset();
        showing = false;
        LogLine("Completed.");
    }

    void markFinished()
    {
        std::lock_guard<std::mutex> guard(lock);
        finished = true;
    }

    static void loadBackground(const std::string& skinFile, CImage& background)
    {
        gui::CSkin skin;
        skin.Load(skinFile.c_str());
        const std::string file = SkinImageHold::itemFile(&skin, "splash");
        if (file.empty() || !background.Load(file.c_str()))
        {
            background.Create(CSplashDialog::kWidth, CSplashDialog::kHeight);
            background.Fill(0x302018);
        }
    }

    static void draw(CImage& picture, const CImage& background, const images::Font* font,
                     const std::string& notice, const std::string& loading, int percent)
    {
        picture.Create(background.GetWidth(), background.GetHeight());
        picture.AlphaBlendRect(background, background.GetRect(), 0, 0);
        const int w = picture.GetWidth();
        const int h = picture.GetHeight();
        CCanvas canvas(picture, picture.GetRect());
        if (font)
        {
            canvas.SetTextColour(kTextColour);
            canvas.DrawText(*font, notice.c_str(), {10, 8, w - 10, 60}, CCanvas::kTextCentre);
            canvas.DrawText(*font, loading.c_str(), {15, h - 40, w - 10, h - 24}, CCanvas::kTextLeft);
        }
        const Rect bar{10, h - 22, w - 10, h - 10};
        canvas.FillRect(bar, kBarBack);
        canvas.FrameRect(bar, kBarFrame);
        const int filled = (bar.right - bar.left - 2) * percent / 100;
        canvas.FillRect({bar.left + 1, bar.top + 1, bar.left + 1 + filled, bar.bottom - 1}, kBarFill);
    }

    std::mutex lock;
    std::condition_variable wake;
    std::thread thread;
    int holders = 0;
    bool stopping = false;
    bool finished = false;
};

SplashThread& splashThread()
{
    static SplashThread instance;
    return instance;
}
} // namespace

CSplashDialog::CSplashDialog(const std::string& skinFile, void*)
{
    splashThread().hold(skinFile);
}

CSplashDialog::~CSplashDialog()
{
    splashThread().release();
}

instrument::SplashScreen* CSplashDialog::create(const std::string& skinFile, void* parentWindow)
{
    return new (std::nothrow) CSplashDialog(skinFile, parentWindow);
}

bool CSplashDialog::isShowing()
{
    return splashThread().showing;
}

} // namespace editor
