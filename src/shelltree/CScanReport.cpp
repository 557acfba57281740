#include "shelltree/CScanReport.h"

#include "shared/UserMessages.h"

double CScanReport::ClockMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void CScanReport::Examine(HWND hWndNotify, const char* pszPath) {
    if (hWndNotify == nullptr)
        return;
    double now = m_pfnClock();
    if (hWndNotify != m_hWndShown || now - m_shownAt >= m_nIntervalMs) {
        m_hWndShown = hWndNotify;
        m_shownAt = now;
        Send(hWndNotify, pszPath);
    } else {
        m_strLatest.assign(pszPath);
        m_latestAt = now;
        m_bLatestShown = false;
    }
}

void CScanReport::ShowLatest(HWND hWndNotify) {
    if (hWndNotify == nullptr || hWndNotify != m_hWndShown || m_bLatestShown)
        return;
    m_shownAt = m_latestAt;
    Send(hWndNotify, m_strLatest.c_str());
}

void CScanReport::Send(HWND hWndNotify, const char* pszPath) {
    m_bLatestShown = true;
    // Sent, not posted: the text is the walk's own buffer and must stay valid until shown.
    ::SendMessageA(hWndNotify, UWM_SCAN_PATH, 0, reinterpret_cast<LPARAM>(pszPath));
}
