#include "shelltree/CShellIconQueue.h"

#include "shared/UserMessages.h"
#include "shelltree/ItemIdList.h"

#include <algorithm>

namespace {

const DWORD kBatchMs = 100; // longest an answer waits for others to go out with it

} // namespace

void CShellIconQueue::Request(HTREEITEM hItem, LPCITEMIDLIST pidl, UINT uFlags, BOOL bFolder) {
    if (pidl == nullptr)
        return;
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pidl);
    Lookup lookup{hItem, ++m_nLastSerial,
                  std::vector<BYTE>(pBytes, pBytes + itemidlist::GetSize(pidl) + sizeof(USHORT)),
                  uFlags, bFolder};
    m_waiting[hItem] = lookup.nSerial;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lookups.push_back(std::move(lookup));
    }
    m_wake.notify_one();
}

void CShellIconQueue::Forget(HTREEITEM hItem) {
    auto it = m_waiting.find(hItem);
    if (it == m_waiting.end())
        return;
    UINT nSerial = it->second;
    m_waiting.erase(it);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lookups.erase(std::remove_if(m_lookups.begin(), m_lookups.end(),
                                   [&](const Lookup& l) { return l.nSerial == nSerial; }),
                    m_lookups.end());
}

std::vector<CShellIconQueue::Icons> CShellIconQueue::TakeArrived() {
    std::vector<Answer> answers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        answers.swap(m_answers);
    }
    std::vector<Icons> arrived;
    for (const Answer& answer : answers) {
        auto it = m_waiting.find(answer.icons.hItem);
        if (it == m_waiting.end() || it->second != answer.nSerial)
            continue;
        m_waiting.erase(it);
        arrived.push_back(answer.icons);
    }
    return arrived;
}

void CShellIconQueue::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
        m_lookups.clear();
    }
    m_wake.notify_one();
    if (m_pThread != nullptr) {
        // The thread never waits for this one, so its current lookup is all there is to wait for.
        WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
        m_pThread = nullptr;
    }
    m_answers.clear();
    m_waiting.clear();
    m_bStop = false;
}

BOOL CShellIconQueue::Start(HWND hWndNotify) {
    if (m_pThread != nullptr)
        return TRUE;
    m_hWndNotify = hWndNotify;
    m_pThread = AfxBeginThread(&CShellIconQueue::ThreadProc, this, THREAD_PRIORITY_BELOW_NORMAL, 0,
                               CREATE_SUSPENDED);
    if (m_pThread == nullptr)
        return FALSE;
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    return TRUE;
}

UINT CShellIconQueue::ThreadProc(LPVOID pParam) {
    static_cast<CShellIconQueue*>(pParam)->Run();
    return 0;
}

// Answers go out in batches, when the queue runs dry or the oldest has waited long enough, so
// that the window repaints once for many icons.
void CShellIconQueue::Run() {
    // The shell's icon lookups want an apartment on the thread that makes them.
    HRESULT hr = CoInitialize(nullptr);
    std::vector<Answer> batch;
    DWORD dwBatchStart = 0;
    for (;;) {
        Lookup lookup{};
        Next next = TakeLookup(&lookup, batch.empty());
        if (next == Next::Stop)
            break;
        if (next == Next::Lookup) {
            if (batch.empty())
                dwBatchStart = GetTickCount();
            batch.push_back(LookUp(lookup));
        }
        if (next == Next::Idle || GetTickCount() - dwBatchStart >= kBatchMs)
            Deliver(batch);
    }
    if (SUCCEEDED(hr))
        CoUninitialize();
}

CShellIconQueue::Next CShellIconQueue::TakeLookup(Lookup* pLookup, bool bWait) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (bWait)
        m_wake.wait(lock, [&] { return m_bStop || !m_lookups.empty(); });
    if (m_bStop)
        return Next::Stop;
    if (m_lookups.empty())
        return Next::Idle;
    *pLookup = std::move(m_lookups.front());
    m_lookups.pop_front();
    return Next::Lookup;
}

void CShellIconQueue::Deliver(std::vector<Answer>& batch) {
    bool bFirst = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bFirst = m_answers.empty();
        m_answers.insert(m_answers.end(), batch.begin(), batch.end());
    }
    batch.clear();
    // One message while answers wait: the window takes every answer there is when it comes.
    if (bFirst)
        PostMessageA(m_hWndNotify, UWM_SHELL_ICONS, 0, 0);
}

CShellIconQueue::Answer CShellIconQueue::LookUp(const Lookup& lookup) {
    const char* pszPidl = reinterpret_cast<const char*>(lookup.idList.data());
    SHFILEINFOA sfi = {};
    Answer answer = {lookup.nSerial, {lookup.hItem, 0, 0, nullptr}};
    answer.icons.hImageList =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(pszPidl, 0, &sfi, sizeof(sfi), lookup.uFlags));
    answer.icons.nImage = sfi.iIcon;
    if (lookup.bFolder)
        SHGetFileInfoA(pszPidl, 0, &sfi, sizeof(sfi), lookup.uFlags | SHGFI_OPENICON);
    answer.icons.nSelectedImage = sfi.iIcon;
    return answer;
}
