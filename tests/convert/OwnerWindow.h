#pragma once
// Stands in for the main dialog in engine tests: records every message the worker sends, ticks
// entries as the dialog does, and answers the checked-query from its own set of ticked entries.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class OwnerWindow {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND hwnd() const { return m_hWnd; }
    void Tick(HTREEITEM item) { m_ticked.insert(item); }
    bool IsTicked(HTREEITEM item) const { return m_ticked.count(item) != 0; }
    const std::vector<Message>& Messages() const { return m_messages; }
    // Messages in a compact form: "state 0", "checked? 1", "done 1", "tick 1" (item numbers);
    // a wParam other than 0 where the protocol has 0 is added: "tick 1 wParam 5".
    std::vector<std::string> Trace() const;
    int FilesDone() const;
    // Runs after each recorded message, on the window's thread, while the sender waits.
    std::function<void(const Message&)> onMessage;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    std::set<HTREEITEM> m_ticked;
    std::vector<Message> m_messages;
};

// Item handles for job entries in tests: 1, 2, 3... as HTREEITEM.
inline HTREEITEM ItemNo(int n) {
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(n));
}
