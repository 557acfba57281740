#include <windows.h>

// Keeps the prefix's desktop process alive between test programs: it creates a hidden window
// (which starts the desktop with this program's /dev/null stdio, not a test's pipe), writes the
// file named on its command line to say so, and waits until the prefix's wineserver ends it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    HWND hidden = CreateWindowA("STATIC", "tandrel-keepalive", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    if (cmdLine && *cmdLine) {
        HANDLE ready = CreateFileA(cmdLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (ready != INVALID_HANDLE_VALUE)
            CloseHandle(ready);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(hidden);
    return 0;
}
