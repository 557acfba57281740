#include "about/ShellOpen.h"

#include <shellapi.h>

#include <atomic>

namespace {

std::atomic<ShellOpenHandler> g_handler{nullptr};

} // namespace

ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler) {
    return g_handler.exchange(handler);
}

void ShellOpen(HWND hOwner, const char* address) {
    if (ShellOpenHandler handler = g_handler.load()) {
        handler(hOwner, address);
        return;
    }
    // A browser or mail program started hidden may never show its window: ask for a normal one.
    ShellExecuteA(hOwner, nullptr, address, nullptr, nullptr, SW_SHOWNORMAL);
}
