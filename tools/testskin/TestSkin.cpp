#include "testskin/TestSkin.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "images/CCanvas.h"
#include "images/CImage.h"
#include "images/Font.h"
#include "images/PngCodec.h"

using images::CCanvas;
using images::CImage;
using images::Font;
using images::PngCodec;
using platform::ColourRef;
using platform::Rect;

namespace testskin
{
namespace
{
constexpr int kKeysPerHalf = 44;
constexpr int kWhitesPerHalf = 26;

bool isBlack(int index)
{
    const int n = index % 12;
    return n == 1 || n == 4 || n == 6 || n == 9 || n == 11;
}

int whitesBefore(int index)
{
    int count = 0;
    for (int i = 0; i < index; ++i)
        count += isBlack(i) ? 0 : 1;
    return count;
}

// Left edge of a key within its half.
int keyLeft(int index)
{
    const int half = index < kKeysPerHalf ? 0 : kWhitesPerHalf;
    const int x = (whitesBefore(index) - half) * kWhiteKeyWidth;
    return isBlack(index) ? x - kBlackKeyWidth / 2 : x;
}

class Writer
{
public:
    explicit Writer(const std::string& skinFile) : skinPath(skinFile)
    {
        const std::filesystem::path p(skinFile);
        folder = (p.parent_path() / (p.stem().string() + "-skin")).string();
    }

    bool ok = true;

    std::string save(const std::string& name, const CImage& image)
    {
        const std::string file = folder + "/" + name + ".png";
        ok = ok && PngCodec::Save(file.c_str(), image);
        return file;
    }
    void item(const std::string& name, const std::string& body) { text += "[" + name + "]\n" + body + "\n"; }
    void imageItem(const std::string& name, const CImage& image)
    {
        item(name, "image fn=" + save(name, image) + "\n");
    }
    bool finish()
    {
        std::ofstream out(skinPath);
        out << text;
        return ok && static_cast<bool>(out);
    }
    bool makeFolder()
    {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        return !error;
    }

private:
    std::string skinPath;
    std::string folder;
    std::string text = "; Test skin written by virellando-testskin.\n";
};

CImage solid(int w, int h, unsigned pixel, int bits = 32)
{
    CImage image;
    image.Create(w, h, bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, pixel);
    return image;
}

void frame(CImage& image, unsigned pixel)
{
    for (int x = 0; x < image.GetWidth(); ++x)
    {
        image.SetPixel(x, 0, pixel);
        image.SetPixel(x, image.GetHeight() - 1, pixel);
    }
    for (int y = 0; y < image.GetHeight(); ++y)
    {
        image.SetPixel(0, y, pixel);
        image.SetPixel(image.GetWidth() - 1, y, pixel);
    }
}

void label(CImage& image, const char* text, ColourRef colour, int size = 14, Rect where = {})
{
    std::unique_ptr<Font> font = Font::Create("Verdana", size);
    if (!font)
        return;
    if (where.IsEmpty())
        where = image.GetRect();
    CCanvas canvas(image, image.GetRect());
    canvas.SetTextColour(colour);
    canvas.DrawText(*font, text, where,
                    CCanvas::kTextCentre | CCanvas::kTextVCentre | CCanvas::kTextSingleLine);
}

CImage keyImage(int index, bool down)
{
    const int halfWidth = kWhitesPerHalf * kWhiteKeyWidth;
    CImage image;
    image.Create(halfWidth, kKeyHeight, 32);
    const int left = keyLeft(index);
    if (isBlack(index))
    {
        const unsigned colour = down ? 0xff3050a0 : 0xff202020;
        for (int y = 0; y < kBlackKeyRows; ++y)
            for (int x = left; x < left + kBlackKeyWidth; ++x)
                image.SetPixel(x, y, colour);
        return image;
    }
    const unsigned colour = down ? kWhiteDown : kWhiteUp;
    // The neighbouring black keys take the upper part; the last column stays a transparent gap.
    const int firstInHalf = index < kKeysPerHalf ? 0 : kKeysPerHalf;
    for (int y = 0; y < kKeyHeight; ++y)
        for (int x = left; x < left + kWhiteKeyWidth - 1; ++x)
        {
            bool underBlack = false;
            for (int b : {index - 1, index + 1})
                if (y < kBlackKeyRows && b >= firstInHalf && b < firstInHalf + kKeysPerHalf && isBlack(b) &&
                    x >= keyLeft(b) && x < keyLeft(b) + kBlackKeyWidth)
                    underBlack = true;
            if (!underBlack)
                image.SetPixel(x, y, y == kKeyHeight - 1 ? 0xff808080 : colour);
        }
    return image;
}

void buttonItems(Writer& w, const std::string& name, int width, int height, const char* text)
{
    const unsigned colours[4] = {0xff4a4e58, 0xff68707e, 0xff2a2d33, 0xff2e3034};
    for (int state = 0; state < 4; ++state)
    {
        CImage image = solid(width, height, colours[state]);
        frame(image, state == 3 ? 0xff404040 : 0xffa0a8b8);
        if (text)
            label(image, text, state == 3 ? 0x606060 : 0xf0f0f0, 12);
        w.imageItem(name + "-" + std::to_string(state), image);
    }
}

void sliderItems(Writer& w, const std::string& name, int baseWidth)
{
    CImage base = solid(baseWidth, 8, 0xff30343c);
    frame(base, 0xff808890);
    w.imageItem(name + "-base", base);
    CImage knob = solid(20, 24, 0xffc8ccd4);
    frame(knob, 0xff505860);
    w.imageItem(name + "-slider", knob);
    CImage hover = solid(20, 24, 0xffe8ecf4);
    frame(hover, 0xff505860);
    w.imageItem(name + "-slider-hi", hover);
}
} // namespace

void KeyCentre(int keyIndex, int& x, int& y)
{
    const int halfOffset = keyIndex < kKeysPerHalf ? 0 : kWhitesPerHalf * kWhiteKeyWidth;
    if (isBlack(keyIndex))
    {
        x = halfOffset + keyLeft(keyIndex) + kBlackKeyWidth / 2;
        y = kBlackKeyRows / 2;
    }
    else
    {
        x = halfOffset + keyLeft(keyIndex) + (kWhiteKeyWidth - 1) / 2;
        y = (kBlackKeyRows + kKeyHeight) / 2;
    }
}

bool Write(const std::string& skinFile)
{
    Writer w(skinFile);
    if (!w.makeFolder())
        return false;

    const unsigned bodies[4] = {0xff2b1d16, 0xff3a281c, 0xff4a3322, 0xff5c402a};
    for (int lid = 0; lid < 4; ++lid)
    {
        CImage piano = solid(800, 492, bodies[lid], 24);
        // The lid: a lighter band whose height grows as the lid opens.
        piano.FillRect({60, 20, 720, 60 + lid * 50}, 0x6a8aa0 + static_cast<ColourRef>(lid) * 0x101010);
        char text[64];
        std::snprintf(text, sizeof text, "Virellando test skin - lid %d", lid);
        label(piano, text, 0xf0f0f0, 14, {200, 200, 600, 224});
        w.imageItem("Piano-" + std::to_string(lid), piano);
    }

    for (int i = 0; i < 2 * kKeysPerHalf; ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "keyup%.2i", i);
        const std::string up = w.save(name, keyImage(i, false));
        std::snprintf(name, sizeof name, "keydown%.2i", i);
        const std::string down = w.save(name, keyImage(i, true));
        if (i == 0)
        {
            w.item("Piano Keys Up Prefix", "image fn=" + up + "\n");
            w.item("Piano Keys Down Prefix", "image fn=" + down + "\n");
        }
    }

    const char* pedalNames[4] = {"UpUp", "DownUp", "UpDown", "DownDown"};
    for (int combination = 0; combination < 4; ++combination)
    {
        CImage pedals = solid(92, 50, 0xff1a1410, 24);
        const bool softDown = combination & 1;
        const bool sustainDown = combination & 2;
        pedals.FillRect({8, softDown ? 20 : 8, 40, 44}, softDown ? 0x40a0e0 : 0x50b8d8);
        pedals.FillRect({52, sustainDown ? 20 : 8, 84, 44}, sustainDown ? 0x40a0e0 : 0x50b8d8);
        w.imageItem(std::string("Pedals-") + pedalNames[combination], pedals);
    }

    buttonItems(w, "Lid Up Button", 24, 24, "+");
    buttonItems(w, "Lid Down Button", 24, 24, "-");
    buttonItems(w, "Help Button", 24, 24, "?");
    buttonItems(w, "Adjust Button", 100, 30, "Tone");
    buttonItems(w, "Dropdown", 130, 30, nullptr);
    buttonItems(w, "Dialog Close", 24, 24, "x");
    buttonItems(w, "Dialog Dropdown", 130, 30, nullptr);
    sliderItems(w, "Slider", 130);
    sliderItems(w, "SliderShort", 90);
    sliderItems(w, "SliderSmall", 100);

    w.item("Control Panel",
           "Num Layers=1\nOpacity.1=100\nStyle.1=2\nStart.R.1=40\nStart.G.1=44\nstart.B.1=52\n"
           "End.R.1=18\nEnd.G.1=20\nEnd.B.1=24\nNum Extra Colors.1=0\n");
    CImage tone = solid(400, 400, 0xf0283040, 32);
    frame(tone, 0xffa0a8b8);
    label(tone, "Tone controls", 0xf0f0f0, 14, {0, 8, 400, 38});
    w.imageItem("Tone Controls", tone);

    CImage splash = solid(330, 200, 0xff30241c, 24);
    label(splash, "Virellando", 0xe0e8f0, 28);
    w.imageItem("splash", splash);
    return w.finish();
}

} // namespace testskin
