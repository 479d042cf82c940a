// The DLL's entry point, in front of the C run-time's. When the process ends, Windows has already stopped
// every other thread wherever it was, perhaps inside the thread library holding its locks (a message box's
// thread just starting, say). Clean-up that waits then never returns and the host hangs on quit: joining a
// thread, unregistering window classes, the C++ run-time deleting its thread keys. So the module runs none
// of its clean-up when the process ends; the system frees it all. A host that unloads the module gets the
// whole clean-up as before.
#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE module, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI VirellandoDllEntry(HANDLE module, DWORD reason, LPVOID reserved)
{
    // A reserved pointer on detach means the process is ending rather than the host unloading us.
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr)
        return TRUE;
    return DllMainCRTStartup(module, reason, reserved);
}
