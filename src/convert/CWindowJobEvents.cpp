#include "convert/CWindowJobEvents.h"

#include "shared/UserMessages.h"

LRESULT CWindowJobEvents::Tell(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(m_hWndOwner, msg, wParam, lParam);
}

void CWindowJobEvents::OnJobStarted() {
    Tell(UWM_CONVERT_STATE, 0, 0);
}

bool CWindowJobEvents::IsEntryDone(HTREEITEM hItem) {
    return Tell(UWM_IS_ITEM_CHECKED, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
}

void CWindowJobEvents::OnEntrySkipped(int nFiles) {
    Tell(UWM_ITEM_CONVERTED, static_cast<WPARAM>(nFiles), 0);
}

void CWindowJobEvents::OnEntryDone(HTREEITEM hItem) {
    Tell(UWM_ITEM_CONVERTED, 0, reinterpret_cast<LPARAM>(hItem));
}

void CWindowJobEvents::OnFileConverted(const CString&) {
    Tell(UWM_ITEM_CONVERTED, 1, 0);
}

void CWindowJobEvents::OnFileFailed(const CString& source) {
    Tell(UWM_FILE_FAILED, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(source)));
}

void CWindowJobEvents::OnLogLineLost(const CString& source) {
    Tell(UWM_LOG_LINE_LOST, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(source)));
}

void CWindowJobEvents::OnJobFinished() {
    Tell(UWM_CONVERT_STATE, 0, 1);
}
