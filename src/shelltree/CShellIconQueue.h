#pragma once
// The shell's icons for tree items, looked up on a thread of their own: the first lookup sets up
// the system image list and every new icon is loaded into it, which is slow enough to hold up a
// window that waited for them. A window asks with Request and gets UWM_SHELL_ICONS posted when
// answers are ready; only answers for items it still waits for reach it. Lookups begin with Start,
// so that a window can first show itself without the shell's work beside it.
#include "framework/CWinThread.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

class CShellIconQueue {
public:
    struct Icons {
        HTREEITEM hItem;
        int nImage;
        int nSelectedImage;
        HIMAGELIST hImageList; // the system list the indices belong to
    };

    CShellIconQueue() = default;
    ~CShellIconQueue() { Stop(); }
    CShellIconQueue(const CShellIconQueue&) = delete;
    CShellIconQueue& operator=(const CShellIconQueue&) = delete;

    // Looks up the item's icon with SHGetFileInfoA's uFlags, the selected one with the open look
    // added for a folder. The list is copied.
    void Request(HTREEITEM hItem, LPCITEMIDLIST pidl, UINT uFlags, BOOL bFolder);
    // Starts the thread, which tells hWndNotify of answers; FALSE when it cannot run.
    BOOL Start(HWND hWndNotify);
    BOOL IsStarted() const { return m_pThread != nullptr; }
    // The item is gone: its answer, even one already on its way, is dropped.
    void Forget(HTREEITEM hItem);
    // The answers that arrived for items still waiting; each item waits no more.
    std::vector<Icons> TakeArrived();
    // Items whose answers have not been taken yet.
    int GetPendingCount() const { return static_cast<int>(m_waiting.size()); }
    // Drops every question and answer and ends the thread after its current lookup.
    void Stop();

private:
    struct Lookup {
        HTREEITEM hItem;
        UINT nSerial; // which request of the item this is; a reused handle gets a new one
        std::vector<BYTE> idList;
        UINT uFlags;
        BOOL bFolder;
    };
    struct Answer {
        UINT nSerial;
        Icons icons;
    };

    enum class Next { Lookup, Idle, Stop };

    static UINT ThreadProc(LPVOID pParam);
    void Run();
    // With bWait, waits for a lookup; without, answers Idle when there is none.
    Next TakeLookup(Lookup* pLookup, bool bWait);
    void Deliver(std::vector<Answer>& batch);
    static Answer LookUp(const Lookup& lookup);

    // Shared with the thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Lookup> m_lookups;
    std::vector<Answer> m_answers;
    bool m_bStop = false;

    // The asking thread's own; the thread reads m_hWndNotify, set before it starts.
    CWinThread* m_pThread = nullptr;
    HWND m_hWndNotify = nullptr;
    std::map<HTREEITEM, UINT> m_waiting; // item to the serial of the answer it waits for
    UINT m_nLastSerial = 0;
};
