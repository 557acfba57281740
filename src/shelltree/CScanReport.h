#pragma once
// What the counting shows of its walk: the path it examines, kept as the latest for the
// add-files box to fetch (any thread may), and a UWM_SCAN_PATH to the box when the path on show
// is an interval of walking old. A message for every entry would cost the walk far more than the
// entry itself, and a sent one would make the walk wait for the box; a posted one lets it go on.
#include "framework/CString.h"

#include <windows.h>

#include <string>

class CScanReport {
public:
    // The path being examined. The window hears of it at once when it has not heard of this
    // walk's paths yet or when the path it was last told of is an interval old.
    void Examine(HWND hWndNotify, const char* pszPath);
    // Tells the window, and waits until it has shown it, if the latest path is newer than the
    // one it was last told of.
    void ShowLatest(HWND hWndNotify);
    // The latest path the window was told of; what it shows.
    CString GetShownPath() const;

    // Milliseconds of walking between two messages; 0 sends every path and waits for the window
    // each time, so that a test sees the walk's every step.
    DWORD m_nIntervalMs = 50;
    // The walk's clock in milliseconds; a test may put its own here.
    double (*m_pfnClock)() = &ClockMs;

    static double ClockMs();

private:
    void Tell(HWND hWndNotify, const std::string& strPath, double examinedAt, BOOL bWait);

    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    std::string m_strShown; // guarded by m_lock: the one text read by the window's thread

    HWND m_hWndTold = nullptr; // the window last told
    double m_toldAt = 0;       // when the path it was told of was examined
    std::string m_strLatest;   // the latest path examined
    double m_latestAt = 0;
    bool m_bLatestTold = true;
};
