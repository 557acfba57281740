#include "cli/CConvertPool.h"

#include "convert/CallLimits.h"
#include "framework/COleMessageFilter.h"

CConvertPool::CConvertPool(int nInstances, const std::atomic<int>* pRunning)
    : m_pRunning(pRunning), m_nQuitting(nInstances) {
    for (int i = 0; i < nInstances; ++i)
        m_threads.emplace_back(&CConvertPool::Serve, this);
}

CConvertPool::~CConvertPool() {
    Close();
}

bool CConvertPool::HandOver(const Task& task, Result* result) {
    std::unique_lock<std::mutex> hold(m_lock);
    // Nothing waits in line: a stop leaves no file handed over that has not begun.
    m_wake.wait(
        hold, [this] { return m_nIdle > static_cast<int>(m_tasks.size()) || !m_results.empty(); });
    if (!m_results.empty()) {
        PopResult(result);
        return false;
    }
    m_tasks.push_back(task);
    ++m_nInHand;
    m_wake.notify_all();
    return true;
}

bool CConvertPool::WaitResult(Result* result) {
    std::unique_lock<std::mutex> hold(m_lock);
    m_wake.wait(hold, [this] { return !m_results.empty() || m_nInHand == 0; });
    if (m_results.empty())
        return false;
    PopResult(result);
    return true;
}

void CConvertPool::PopResult(Result* result) {
    *result = m_results.front();
    m_results.pop_front();
    --m_nInHand;
}

void CConvertPool::Close() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bClosing = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
}

bool CConvertPool::Take(Task* task) {
    std::unique_lock<std::mutex> hold(m_lock);
    ++m_nIdle;
    m_wake.notify_all();
    m_wake.wait(hold, [this] { return !m_tasks.empty() || m_bClosing; });
    --m_nIdle;
    if (m_tasks.empty())
        return false;
    *task = m_tasks.front();
    m_tasks.pop_front();
    return true;
}

void CConvertPool::Serve() {
    CoInitialize(nullptr);
    const CallLimits limits = CallLimits::ForJobs();
    COleMessageFilter filter;
    filter.SetRetryReply(limits.nRetryPauseMs, limits.nRetryTimeMs);
    filter.Register();
    {
        CAutomationBridge bridge;
        bridge.WatchStopFlag(m_pRunning);
        bridge.ShareCreations(&m_creations);
        for (Task task; Take(&task);) {
            const DWORD start = GetTickCount();
            Result result{task, bridge.ConvertFile(task.source, task.target, task.nType),
                          bridge.LastError(), 0};
            result.ms = GetTickCount() - start;
            std::lock_guard<std::mutex> hold(m_lock);
            m_results.push_back(result);
            m_wake.notify_all();
        }
        bridge.Quit();
        // An application that serves several instances from one process ends by itself once
        // every instance has let it go; ending it earlier would cut the others off.
        std::unique_lock<std::mutex> hold(m_lock);
        --m_nQuitting;
        m_wake.notify_all();
        m_wake.wait(hold, [this] { return m_nQuitting == 0; });
        hold.unlock();
        bridge.EndApplications();
    }
    filter.Revoke();
    CoUninitialize();
}
