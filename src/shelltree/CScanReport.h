#pragma once
// What the counting shows of its walk: the path it examines, sent to the add-files box with
// UWM_SCAN_PATH. A message for every entry would cost the walk far more than the entry itself,
// so a path is sent only when the one on show is an interval of walking old; the box is then
// never further behind than that, and the last path examined can be sent at the end.
#include <windows.h>

#include <string>

class CScanReport {
public:
    // The path being examined: sent at once to a window that shows nothing of ours yet or shows
    // a path an interval old, else kept as the latest.
    void Examine(HWND hWndNotify, const char* pszPath);
    // Sends the latest path examined for this window if the window does not show it yet.
    void ShowLatest(HWND hWndNotify);

    // Milliseconds of walking between two paths sent; 0 sends every path examined.
    DWORD m_nIntervalMs = 50;
    // The walk's clock in milliseconds; a test may put its own here.
    double (*m_pfnClock)() = &ClockMs;

    static double ClockMs();

private:
    void Send(HWND hWndNotify, const char* pszPath);

    HWND m_hWndShown = nullptr; // the window the last path was sent to
    double m_shownAt = 0;       // when the path on show was examined
    std::string m_strLatest;    // the latest path examined but not sent
    double m_latestAt = 0;      // when it was examined
    bool m_bLatestShown = true;
};
