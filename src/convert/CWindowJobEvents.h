#pragma once
// A job's reports as the window messages of UserMessages.h, each sent to the owner window, which
// handles them on its own thread while the worker waits. What the user is told or asked about
// the job is the window's own affair.
#include "convert/IJobEvents.h"

class CWindowJobEvents : public IJobEvents {
public:
    explicit CWindowJobEvents(HWND hWndOwner) : m_hWndOwner(hWndOwner) {}

    void OnJobStarted() override;
    bool IsEntryDone(HTREEITEM hItem) override;
    void OnEntrySkipped(int nFiles) override;
    void OnEntryDone(HTREEITEM hItem) override;
    void OnFileConverted(const CString& source) override;
    void OnFileFailed(const CString& source) override;
    void OnLogLineLost(const CString& source) override;
    void OnJobFinished() override;

private:
    LRESULT Tell(UINT msg, WPARAM wParam, LPARAM lParam) const;

    HWND m_hWndOwner;
};
