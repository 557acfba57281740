#include "framework/AfxMessageBox.h"

#include "framework/CWinApp.h"

#include <atomic>

namespace {

std::atomic<MessageBoxHandler> g_handler{nullptr};

} // namespace

MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler) {
    return g_handler.exchange(handler);
}

int AfxShowMessageBox(HWND hOwner, const char* text, const char* caption, UINT nType) {
    if (MessageBoxHandler handler = g_handler.load())
        return handler(hOwner, text, caption, nType);
    return MessageBoxA(hOwner, text, caption, nType);
}

int AfxMessageBox(const char* text, UINT nType, UINT) {
    CWnd* main = AfxGetMainWnd();
    return AfxShowMessageBox(main ? main->m_hWnd : nullptr, text, AfxGetAppName(), nType);
}
