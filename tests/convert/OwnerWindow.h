#pragma once
// Stands in for the main dialog in engine tests: records every message the worker sends, ticks
// entries as the dialog does, and answers the checked-query from its own set of ticked entries.
#include "convert/IJobEvents.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
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
    // A job's events, as the window gets them.
    std::shared_ptr<IJobEvents> Events() const;
    void Tick(HTREEITEM item) { m_ticked.insert(item); }
    bool IsTicked(HTREEITEM item) const { return m_ticked.count(item) != 0; }
    const std::vector<Message>& Messages() const { return m_messages; }
    // Messages in a compact form: "state 0", "checked? 1", "done 1", "tick 1" (item numbers),
    // "failed", "lost", "inside?", "no app Qor启动失败"; a wParam other than 0 where the protocol
    // has 0 is added: "tick 1 wParam 5".
    std::vector<std::string> Trace() const;
    // Progress steps, failed files included.
    int FilesDone() const;
    // The sources reported failed, and those whose log line was lost, in order.
    const std::vector<std::string>& Failed() const { return m_failed; }
    const std::vector<std::string>& Lost() const { return m_lost; }
    // The answer to the question about an output folder inside a folder entry: 1 skips it.
    LRESULT skipEntryHoldingOutput = 1;
    // Runs after each recorded message, on the window's thread, while the sender waits.
    std::function<void(const Message&)> onMessage;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    std::set<HTREEITEM> m_ticked;
    std::vector<Message> m_messages;
    std::vector<std::string> m_texts; // the text of each message that carries one, else ""
    std::vector<std::string> m_failed;
    std::vector<std::string> m_lost;
};

// Item handles for job entries in tests: 1, 2, 3... as HTREEITEM.
inline HTREEITEM ItemNo(int n) {
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(n));
}
