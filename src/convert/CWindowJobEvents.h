#pragma once
// A job's events as the window messages of UserMessages.h, each sent to the owner window, which
// handles them on its own thread while the worker waits.
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
    void OnApplicationNotStarted(const char* text) override;
    bool SkipEntryHoldingOutput(const CString& entry) override;
    void OnJobFinished() override;

private:
    LRESULT Tell(UINT msg, WPARAM wParam, LPARAM lParam) const;
    LRESULT TellText(UINT msg, const char* text) const;

    HWND m_hWndOwner;
};
