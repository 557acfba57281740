#pragma once
// Watches the automation calls of one job from a thread of its own. A call that has not returned
// after the call limit, or a short grace time after the job was stopped, has its application's
// process ended (only one this job started), so that the call returns with the disconnection
// error and the job goes on.
#include "convert/CServerProcesses.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CCallWatchdog {
public:
    explicit CCallWatchdog(CServerProcesses& processes) : m_processes(processes) {}
    ~CCallWatchdog();
    CCallWatchdog(const CCallWatchdog&) = delete;
    CCallWatchdog& operator=(const CCallWatchdog&) = delete;

    void SetLimits(DWORD nCallLimitMs, DWORD nStopGraceMs);
    // The job's run flag: once it is 0, calls get only the grace time.
    void WatchStopFlag(const std::atomic<int>* pRunning) { m_pRunning = pRunning; }

    // Watches one call to application nApp while it lives.
    class CCall {
    public:
        CCall(CCallWatchdog& watchdog, int nApp) : m_watchdog(watchdog) { watchdog.Begin(nApp); }
        ~CCall() { m_watchdog.Finish(); }
        CCall(const CCall&) = delete;
        CCall& operator=(const CCall&) = delete;

    private:
        CCallWatchdog& m_watchdog;
    };

    // Whether the last call was ended because the job had been stopped, not because it hung.
    bool CutByStop();

private:
    void Begin(int nApp);
    void Finish();
    void Run();
    // Ends the application of the call in progress when its time is up. Under m_lock.
    void Check(DWORD now);

    CServerProcesses& m_processes;
    const std::atomic<int>* m_pRunning = nullptr;
    DWORD m_nCallLimitMs = INFINITE;
    DWORD m_nStopGraceMs = INFINITE;

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_bShutdown = false;
    bool m_bInCall = false;
    int m_nApp = 0;
    DWORD m_nCallStart = 0;
    bool m_bStopSeen = false;
    DWORD m_nStopSeen = 0;
    bool m_bEnded = false;
    bool m_bCutByStop = false;
};
