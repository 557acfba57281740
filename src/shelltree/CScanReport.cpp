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
    m_strLatest.assign(pszPath);
    m_latestAt = m_pfnClock();
    m_bLatestTold = false;
    if (m_nIntervalMs == 0 || hWndNotify != m_hWndTold || m_latestAt - m_toldAt >= m_nIntervalMs)
        Tell(hWndNotify, m_strLatest, m_latestAt, m_nIntervalMs == 0);
}

void CScanReport::ShowLatest(HWND hWndNotify) {
    if (hWndNotify != nullptr && hWndNotify == m_hWndTold && !m_bLatestTold)
        Tell(hWndNotify, m_strLatest, m_latestAt, TRUE);
}

CString CScanReport::GetShownPath() const {
    AcquireSRWLockShared(&m_lock);
    CString strPath(m_strShown);
    ReleaseSRWLockShared(&m_lock);
    return strPath;
}

void CScanReport::Tell(HWND hWndNotify, const std::string& strPath, double examinedAt, BOOL bWait) {
    AcquireSRWLockExclusive(&m_lock);
    m_strShown = strPath;
    ReleaseSRWLockExclusive(&m_lock);
    m_hWndTold = hWndNotify;
    m_toldAt = examinedAt;
    m_bLatestTold = true;
    if (bWait)
        ::SendMessageA(hWndNotify, UWM_SCAN_PATH, 0, 0);
    else
        ::PostMessageA(hWndNotify, UWM_SCAN_PATH, 0, 0);
}
