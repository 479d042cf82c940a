// PNG reading and writing through the Windows Imaging Component.
#include <wincodec.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/PngFile.h"

namespace platform
{

namespace
{
constexpr UINT kMaxSide = 32768;

// COM for the calling thread for the length of one call; a thread the host set up otherwise keeps its model.
class ComScope
{
public:
    ComScope() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }

private:
    HRESULT result;
};

template <class T> class ComPtr
{
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    T* get() const { return p; }
    explicit operator bool() const { return p != nullptr; }

private:
    T* p = nullptr;
};

std::wstring Widen(const char* fileName)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, fileName, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, fileName, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

bool Factory(ComPtr<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)));
}

// Whether the frame's own pixels carry alpha: an alpha channel, or a palette with transparent entries.
bool FrameHasAlpha(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame)
{
    WICPixelFormatGUID format;
    if (FAILED(frame->GetPixelFormat(&format)))
        return false;
    ComPtr<IWICComponentInfo> component;
    ComPtr<IWICPixelFormatInfo2> info;
    BOOL transparency = FALSE;
    if (SUCCEEDED(factory->CreateComponentInfo(format, &component)) &&
        SUCCEEDED(component->QueryInterface(IID_IWICPixelFormatInfo2, reinterpret_cast<void**>(&info))) &&
        SUCCEEDED(info->SupportsTransparency(&transparency)) && transparency)
    {
        ComPtr<IWICPalette> palette;
        UINT colours = 0;
        // An indexed format supports transparency in principle; only its palette tells.
        if (SUCCEEDED(info->GetChannelCount(&colours)) && colours == 1 &&
            SUCCEEDED(factory->CreatePalette(&palette)) && SUCCEEDED(frame->CopyPalette(palette.get())))
        {
            BOOL paletteAlpha = FALSE;
            return SUCCEEDED(palette->HasAlpha(&paletteAlpha)) && paletteAlpha;
        }
        return true;
    }
    return false;
}
} // namespace

bool ReadPngFile(const char* fileName, PixelBuffer& image, bool& hasAlpha)
{
    if (!fileName)
        return false;
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    const std::wstring wide = Widen(fileName);
    if (wide.empty() || !Factory(factory) ||
        FAILED(factory->CreateDecoderFromFilename(wide.c_str(), &GUID_ContainerFormatPng, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)))
    {
        return false;
    }
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
        height > kMaxSide)
    {
        return false;
    }
    // 32-bit BGRA in memory is 0xAARRGGBB on the little-endian machines Windows runs on.
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), &converted)))
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
    {
        return false;
    }
    hasAlpha = FrameHasAlpha(factory.get(), frame.get());
    return image.Adopt(static_cast<int>(width), static_cast<int>(height), hasAlpha ? 32 : 24,
                       std::move(pixels));
}

bool WritePngFile(const char* fileName, const PixelBuffer& image)
{
    if (!fileName || !image.IsValid())
        return false;
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    const std::wstring wide = Widen(fileName);
    if (wide.empty() || !Factory(factory) || FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)))
    {
        return false;
    }
    const bool alpha = image.GetBitsPerPixel() == 32;
    const int channels = alpha ? 4 : 3;
    const UINT width = static_cast<UINT>(image.GetWidth());
    const UINT height = static_cast<UINT>(image.GetHeight());
    WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)))
        return false;
    // The encoder may offer a nearby format instead; only the one asked for is written as it stands.
    if (format != (alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR))
        return false;
    const UINT stride = width * static_cast<UINT>(channels);
    std::vector<BYTE> bytes;
    bytes.reserve(static_cast<size_t>(stride) * height);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const uint32_t p = image.Row(y)[x];
            for (int c = 0; c < channels; ++c)
                bytes.push_back(static_cast<BYTE>(p >> (8 * c)));
        }
    return SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(bytes.size()), bytes.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace platform
