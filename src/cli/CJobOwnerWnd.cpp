#include "cli/CJobOwnerWnd.h"

#include "cli/ConsoleTexts.h"
#include "shared/UserMessages.h"

CJobOwnerWnd::~CJobOwnerWnd() {
    DestroyWindow();
}

BOOL CJobOwnerWnd::Create() {
    // A message-only window is never shown and receives no broadcasts.
    HWND hWnd = CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    return hWnd != nullptr && SubclassWindow(hWnd);
}

void CJobOwnerWnd::Begin(const std::vector<CString>& entryPaths, int total, bool quiet) {
    m_paths = entryPaths;
    m_ticked.assign(entryPaths.size(), false);
    m_skipped.assign(entryPaths.size(), false);
    m_nTotal = total;
    m_bQuiet = quiet;
}

HTREEITEM CJobOwnerWnd::ItemOf(size_t index) {
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(index + 1));
}

size_t CJobOwnerWnd::IndexOf(LPARAM item) const {
    size_t index = static_cast<size_t>(item) - 1;
    return item > 0 && index < m_paths.size() ? index : static_cast<size_t>(-1);
}

LRESULT CJobOwnerWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_IS_ITEM_CHECKED:
        return OnIsItemChecked(lParam);
    case UWM_ITEM_CONVERTED:
        OnItemConverted(wParam, lParam);
        return 1;
    case UWM_CONVERT_STATE:
        return 1;
    case UWM_CONVERTING_FILE:
        OnConvertingFile(reinterpret_cast<const char*>(lParam));
        return 1;
    case UWM_MESSAGE_BOX:
        return OnMessageBox(*reinterpret_cast<const MessageBoxRequest*>(lParam));
    default:
        return CWnd::WindowProc(msg, wParam, lParam);
    }
}

LRESULT CJobOwnerWnd::OnIsItemChecked(LPARAM lParam) {
    size_t index = IndexOf(lParam);
    if (index == static_cast<size_t>(-1))
        return 0;
    m_current = index;
    return m_ticked[index] ? 1 : 0;
}

void CJobOwnerWnd::OnItemConverted(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        m_nDone += static_cast<int>(wParam);
        return;
    }
    size_t index = IndexOf(lParam);
    if (index != static_cast<size_t>(-1))
        m_ticked[index] = true;
}

void CJobOwnerWnd::OnConvertingFile(const char* path) {
    if (m_bQuiet)
        return;
    CString counter;
    counter.Format("[%d/%d]", m_nDone + 1, m_nTotal);
    m_out.Progress(counter, path);
}

int CJobOwnerWnd::OnMessageBox(const MessageBoxRequest& box) {
    // The engine asks OK or Cancel only about an output folder inside a folder entry: answer
    // as the window's OK does, skipping that entry. Its other boxes tell of an application
    // that could not be started.
    if ((box.type & MB_TYPEMASK) == MB_OKCANCEL) {
        if (m_current < m_paths.size())
            m_skipped[m_current] = true;
        m_out.Error(CString(texts::kPrefix) + texts::kSubFolder + ": " +
                    (m_current < m_paths.size() ? m_paths[m_current] : CString()));
        return IDOK;
    }
    ++m_nStartFailures;
    if (m_errorsShown.insert(box.text).second) {
        CString line;
        line.Format(texts::kStartFailed, box.text);
        m_out.Error(texts::kPrefix + line);
    }
    return IDOK;
}
