// The toolkit demo: a small window of controls drawn from guidemo.SKIN.
//
//   guidemo                   a stand-alone window; close it or press Quit
//   guidemo --embed [--seconds N]
//                             a plain host window with the demo as its child window, driven by idle
//                             calls every 10 ms as a plug-in host would; prints the window ids and
//                             child's screen origin and control centres, then "ready" and every
//                             control event
//   guidemo --cycle N         opens and closes the embedded demo N times (for leak checks)
//   guidemo --compare FILE [X Y]
//                             renders the scene without a display and compares it with an xwd dump
//                             (of the screen, the demo's picture at X, Y)
//   guidemo --render FILE     renders the scene without a display into a PNG file
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "guidemo/DemoScene.h"
#include "guidemo/XwdFile.h"
#include "images/PngCodec.h"
#include "platform/Platform.h"
#include "platform/native/HeadlessNativeWindow.h"
#include "resources/FileNames.h"
#include "resources/StringTable.h"

using namespace guidemo;

using namespace gui;
using namespace images;
using namespace platform;

namespace
{
// The host's own window: a plain window that draws nothing of its own.
class PlainHost : public NativeWindowListener
{
public:
    void OnNativeClose() override { closed = true; }
    bool closed = false;
};

struct SkinFiles
{
    CSkin skin;
    ImageManager images;
    SkinFiles() { skin.Load((resources::ModuleFolder() + "guidemo.SKIN").c_str()); }
};

int RunStandalone()
{
    SkinFiles files;
    TWGuiWindow window;
    if (!window.Initialize(NativeParent{}, DemoScene::kWidth, DemoScene::kHeight))
    {
        std::fprintf(stderr, "guidemo: no X display to open a window on (is DISPLAY set?)\n");
        return 2;
    }
    window.GetNativeWindow()->SetTitle("Virellando toolkit demo");
    DemoScene scene(window, files.skin, files.images, stdout);
    return window.RunEventLoop();
}

std::unique_ptr<NativeWindow> OpenHost(PlainHost& listener)
{
    auto host = NativeWindow::CreateDefault();
    if (!host->Create(NativeParent{}, DemoScene::kWidth, DemoScene::kHeight, &listener))
    {
        std::fprintf(stderr, "guidemo: no X display to open the host window on\n");
        return nullptr;
    }
    host->SetTitle("guidemo host");
    return host;
}

int RunEmbedded(double seconds)
{
    PlainHost listener;
    std::unique_ptr<NativeWindow> host = OpenHost(listener);
    if (!host)
        return 2;
    SkinFiles files;
    TWGuiWindow window;
    if (!window.Initialize(NativeParent{host->GetId(), nullptr}, DemoScene::kWidth, DemoScene::kHeight))
        return 3;
    DemoScene scene(window, files.skin, files.images, stdout);
    const Point origin = window.GetNativeWindow()->ToScreen({0, 0});
    std::printf("host %lu\nchild %lu\norigin %d %d\n", host->GetId(), window.GetNativeId(), origin.x,
                origin.y);
    for (int id = DemoScene::kHello; id <= DemoScene::kVolume; ++id)
    {
        const Point c = scene.CentreOf(id);
        std::printf("control %d %d %d\n", id, c.x, c.y);
    }
    std::fflush(stdout);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!scene.QuitRequested() && !listener.closed && std::chrono::steady_clock::now() < end)
    {
        host->ProcessEvents();
        window.Idle();
        platform::SleepMilliseconds(10);
    }
    return 0;
}

int RunCycles(int count)
{
    PlainHost listener;
    std::unique_ptr<NativeWindow> host = OpenHost(listener);
    if (!host)
        return 2;
    SkinFiles files;
    for (int i = 0; i < count; ++i)
    {
        TWGuiWindow window;
        if (!window.Initialize(NativeParent{host->GetId(), nullptr}, DemoScene::kWidth, DemoScene::kHeight))
            return 3;
        DemoScene scene(window, files.skin, files.images, nullptr);
        window.InvalidateMainWindow(window.GetLocalRect());
        window.FlushDirtyRegion();
        window.Idle();
    }
    std::printf("cycles %d\n", count);
    return 0;
}

// Renders the scene as the embedded window shows it after its first paint, without a display.
bool RenderHeadless(CImage& out)
{
    SkinFiles files;
    auto native = std::make_unique<HeadlessNativeWindow>();
    HeadlessNativeWindow* headless = native.get();
    TWGuiWindow window(std::move(native));
    if (!window.Initialize(NativeParent{}, DemoScene::kWidth, DemoScene::kHeight))
        return false;
    DemoScene scene(window, files.skin, files.images, nullptr);
    for (int tick = 0; tick < 2; ++tick)
    {
        headless->AdvanceTime(TWGuiWindow::kRefreshPeriodMs);
        headless->ProcessEvents();
    }
    const PixelBuffer& screen = headless->GetScreen();
    if (!out.Create(screen.GetWidth(), screen.GetHeight()))
        return false;
    out.CopyRect(screen, screen.GetRect(), 0, 0);
    return true;
}

int Compare(const char* path, bool wholeScreen, Point at)
{
    CImage shot, expected;
    std::string error;
    if (!XwdFile::Read(path, shot, error))
    {
        std::fprintf(stderr, "guidemo: %s: %s\n", path, error.c_str());
        return 2;
    }
    if (!RenderHeadless(expected))
        return 2;
    // A dump of the demo's own window holds just the picture; a dump of the whole screen holds it at `at`.
    if ((!wholeScreen &&
         (shot.GetWidth() != expected.GetWidth() || shot.GetHeight() != expected.GetHeight())) ||
        at.x < 0 || at.y < 0 || at.x + expected.GetWidth() > shot.GetWidth() ||
        at.y + expected.GetHeight() > shot.GetHeight())
    {
        std::printf("size differs: screen %dx%d, headless %dx%d at %d,%d\n", shot.GetWidth(),
                    shot.GetHeight(), expected.GetWidth(), expected.GetHeight(), at.x, at.y);
        return 1;
    }
    long differing = 0;
    for (int y = 0; y < expected.GetHeight(); ++y)
        for (int x = 0; x < expected.GetWidth(); ++x)
        {
            const uint32_t seen = shot.GetPixel(at.x + x, at.y + y) & 0xffffff;
            const uint32_t wanted = expected.GetPixel(x, y) & 0xffffff;
            if (seen != wanted && differing++ == 0)
                std::printf("first difference at %d,%d: screen %06x, headless %06x\n", x, y, seen, wanted);
        }
    std::printf("%ld of %d pixels differ\n", differing, expected.GetWidth() * expected.GetHeight());
    return differing == 0 ? 0 : 1;
}

int Render(const char* path)
{
    CImage picture;
    return RenderHeadless(picture) && PngCodec::Save(path, picture) ? 0 : 2;
}
} // namespace

int main(int argc, char** argv)
{
    resources::StringTableSetFile((resources::ModuleFolder() + "guidemo.INI").c_str());
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode.empty())
        return RunStandalone();
    if (mode == "--embed")
    {
        const double seconds =
            argc > 3 && std::strcmp(argv[2], "--seconds") == 0 ? std::atof(argv[3]) : 3600.0;
        return RunEmbedded(seconds);
    }
    if (mode == "--cycle" && argc > 2)
        return RunCycles(std::atoi(argv[2]));
    if (mode == "--compare" && argc > 2)
        return Compare(argv[2], argc > 4,
                       argc > 4 ? Point{std::atoi(argv[3]), std::atoi(argv[4])} : Point{0, 0});
    if (mode == "--render" && argc > 2)
        return Render(argv[2]);
    std::fprintf(stderr, "usage: guidemo [--embed [--seconds N] | --cycle N | --compare FILE.xwd [X Y] | "
                         "--render FILE.png]\n");
    return 2;
}
