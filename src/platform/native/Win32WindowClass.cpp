#include "platform/native/Win32WindowClass.h"

#include <mutex>

#include "platform/native/Win32MessageTarget.h"

namespace platform
{

namespace
{
constexpr char kWindowClass[] = "TWGuiWindow";
constexpr char kPopupClass[] = "TWTTClass";

void Anchor() {}

LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Unregisters at module unload (static destruction runs from the DLL's detach).
class Registry
{
public:
    ~Registry()
    {
        std::lock_guard<std::mutex> hold(mutex);
        const HINSTANCE instance = Win32WindowClass::ModuleInstance();
        if (windowClass)
            UnregisterClassA(kWindowClass, instance);
        if (popupClass)
            UnregisterClassA(kPopupClass, instance);
    }

    const char* Get(bool popup)
    {
        std::lock_guard<std::mutex> hold(mutex);
        ATOM& atom = popup ? popupClass : windowClass;
        const char* name = popup ? kPopupClass : kWindowClass;
        if (atom)
            return name;
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        // Byte-aligned client and window; the toolkit window also wants double clicks.
        wc.style = (popup ? 0u : static_cast<UINT>(CS_DBLCLKS)) | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
        wc.lpfnWndProc = Forward;
        wc.hInstance = Win32WindowClass::ModuleInstance();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW));
        wc.lpszClassName = name;
        atom = RegisterClassExA(&wc);
        // Another copy of this code in the same module (a static library linked twice) registered it.
        if (!atom && ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
            atom = 1;
        return atom ? name : nullptr;
    }

private:
    std::mutex mutex;
    ATOM windowClass = 0;
    ATOM popupClass = 0;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Win32MessageTarget* target = nullptr;
    if (message == WM_NCCREATE)
    {
        target = static_cast<Win32MessageTarget*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
    }
    else
    {
        target = reinterpret_cast<Win32MessageTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (target)
        return target->HandleMessage(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

const char* Win32WindowClass::Window()
{
    return TheRegistry().Get(false);
}

const char* Win32WindowClass::Popup()
{
    return TheRegistry().Get(true);
}

HINSTANCE Win32WindowClass::ModuleInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Anchor), &module);
    return module;
}

} // namespace platform
