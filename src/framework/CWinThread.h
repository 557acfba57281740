#pragma once
// A worker thread. With m_bAutoDelete (the default) the object deletes itself when the thread
// ends; a caller that must wait for the thread later keeps DuplicateHandle()'s handle.
#include "framework/CHandle.h"

#include <windows.h>

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread(DWORD dwCreateFlags, UINT nStackSize);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    // A new handle to the thread that stays valid after the object has deleted itself.
    // Call it while the thread cannot have ended yet (for example, created suspended).
    CHandle DuplicateHandle() const;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    static unsigned __stdcall ThreadEntry(void* self);
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
