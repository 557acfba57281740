#include "convert/CCallWatchdog.h"

#include <chrono>

namespace {

// How often the watchdog looks: the precision of both limits.
constexpr std::chrono::milliseconds kLookEvery(100);

} // namespace

CCallWatchdog::~CCallWatchdog() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bShutdown = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CCallWatchdog::SetLimits(DWORD nCallLimitMs, DWORD nStopGraceMs) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_nCallLimitMs = nCallLimitMs;
    m_nStopGraceMs = nStopGraceMs;
}

bool CCallWatchdog::CutByStop() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_bCutByStop;
}

void CCallWatchdog::Begin(int nApp) {
    std::lock_guard<std::mutex> hold(m_lock);
    // Started with the first call: a job whose entries are all done has no thread.
    if (!m_thread.joinable())
        m_thread = std::thread(&CCallWatchdog::Run, this);
    m_bInCall = true;
    m_nApp = nApp;
    m_nCallStart = GetTickCount();
    m_bEnded = false;
    m_bCutByStop = false;
}

void CCallWatchdog::Finish() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_bInCall = false;
}

void CCallWatchdog::Run() {
    std::unique_lock<std::mutex> hold(m_lock);
    while (!m_bShutdown) {
        m_wake.wait_for(hold, kLookEvery);
        Check(GetTickCount());
    }
}

void CCallWatchdog::Check(DWORD now) {
    if (!m_bStopSeen && m_pRunning != nullptr && *m_pRunning == 0) {
        m_bStopSeen = true;
        m_nStopSeen = now;
    }
    if (!m_bInCall || m_bEnded)
        return;
    const bool hung = now - m_nCallStart >= m_nCallLimitMs;
    // A call made after the stop gets the grace time from its own start.
    const DWORD graceFrom =
        m_bStopSeen && now - m_nStopSeen < now - m_nCallStart ? m_nStopSeen : m_nCallStart;
    const bool stopped = m_bStopSeen && now - graceFrom >= m_nStopGraceMs;
    if (!hung && !stopped)
        return;
    m_bEnded = true;
    m_bCutByStop = !hung;
    m_processes.End(m_nApp);
}
