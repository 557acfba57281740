#include "OwnerWindow.h"

#include "convert/CWindowJobEvents.h"
#include "shared/UserMessages.h"

#include <cstdio>

namespace {

const char kClassName[] = "TandrelTestOwner";

// What the window tells and asks in boxes reaches this window as two messages of its own.
constexpr UINT kAppNotStarted = WM_USER + 200;
constexpr UINT kOutputInEntry = WM_USER + 201;

class OwnerEvents : public CWindowJobEvents {
public:
    explicit OwnerEvents(HWND hWnd) : CWindowJobEvents(hWnd), m_hWnd(hWnd) {}
    void OnApplicationNotStarted(const char* text) override {
        SendMessageA(m_hWnd, kAppNotStarted, 0, reinterpret_cast<LPARAM>(text));
    }
    bool SkipEntryHoldingOutput(const CString& entry) override {
        return SendMessageA(m_hWnd, kOutputInEntry, 0,
                            reinterpret_cast<LPARAM>(static_cast<const char*>(entry))) != 0;
    }

private:
    HWND m_hWnd;
};

} // namespace

OwnerWindow::OwnerWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &OwnerWindow::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    m_hWnd =
        CreateWindowA(kClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, this);
}

OwnerWindow::~OwnerWindow() {
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK OwnerWindow::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(
            hWnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && ((msg >= UWM_ITEM_CONVERTED && msg <= UWM_LOG_LINE_LOST) || msg == kAppNotStarted ||
                 msg == kOutputInEntry))
        return self->Handle(msg, wParam, lParam);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

std::shared_ptr<IJobEvents> OwnerWindow::Events() const {
    return std::make_shared<OwnerEvents>(m_hWnd);
}

LRESULT OwnerWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message m = {msg, wParam, lParam};
    m_messages.push_back(m);
    const bool text = msg == UWM_FILE_FAILED || msg == UWM_LOG_LINE_LOST || msg == kAppNotStarted ||
                      msg == kOutputInEntry;
    m_texts.push_back(text ? reinterpret_cast<const char*>(lParam) : "");
    if (msg == UWM_FILE_FAILED)
        m_failed.push_back(m_texts.back());
    else if (msg == UWM_LOG_LINE_LOST)
        m_lost.push_back(m_texts.back());
    LRESULT result = 1;
    if (msg == kOutputInEntry)
        result = skipEntryHoldingOutput;
    else if (msg == UWM_IS_ITEM_CHECKED)
        result = IsTicked(reinterpret_cast<HTREEITEM>(lParam)) ? 1 : 0;
    else if (msg == UWM_ITEM_CONVERTED && lParam != 0)
        Tick(reinterpret_cast<HTREEITEM>(lParam));
    if (onMessage)
        onMessage(m);
    return result;
}

std::vector<std::string> OwnerWindow::Trace() const {
    std::vector<std::string> trace;
    char line[64];
    for (size_t i = 0; i < m_messages.size(); ++i) {
        const Message& m = m_messages[i];
        bool progress = m.msg == UWM_ITEM_CONVERTED && m.lParam == 0;
        if (m.msg == UWM_FILE_FAILED)
            std::snprintf(line, sizeof(line), "failed");
        else if (m.msg == UWM_LOG_LINE_LOST)
            std::snprintf(line, sizeof(line), "lost");
        else if (m.msg == kOutputInEntry)
            std::snprintf(line, sizeof(line), "inside?");
        else if (m.msg == kAppNotStarted)
            std::snprintf(line, sizeof(line), "no app %s", m_texts[i].c_str());
        else if (m.msg == UWM_CONVERT_STATE)
            std::snprintf(line, sizeof(line), "state %ld", static_cast<long>(m.lParam));
        else if (m.msg == UWM_IS_ITEM_CHECKED)
            std::snprintf(line, sizeof(line), "checked? %ld", static_cast<long>(m.lParam));
        else if (progress)
            std::snprintf(line, sizeof(line), "done %lu", static_cast<unsigned long>(m.wParam));
        else if (m.msg == UWM_ITEM_CONVERTED)
            std::snprintf(line, sizeof(line), "tick %ld", static_cast<long>(m.lParam));
        else
            std::snprintf(line, sizeof(line), "msg %u", m.msg);
        std::string entry = line;
        // Every message but progress carries wParam 0.
        if (!progress && m.wParam != 0)
            entry += " wParam " + std::to_string(m.wParam);
        trace.push_back(entry);
    }
    return trace;
}

int OwnerWindow::FilesDone() const {
    int done = 0;
    for (const Message& m : m_messages) {
        if (m.msg == UWM_ITEM_CONVERTED && m.lParam == 0)
            done += static_cast<int>(m.wParam);
        done += m.msg == UWM_FILE_FAILED ? 1 : 0;
    }
    return done;
}
