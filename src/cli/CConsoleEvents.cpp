#include "cli/CConsoleEvents.h"

#include "cli/ConsoleTexts.h"

void CConsoleEvents::Begin(const std::vector<CString>& entryPaths, int total, bool quiet) {
    m_paths = entryPaths;
    m_ticked.assign(entryPaths.size(), false);
    m_nTotal = total;
    m_bQuiet = quiet;
}

HTREEITEM CConsoleEvents::ItemOf(size_t index) {
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(index + 1));
}

size_t CConsoleEvents::IndexOf(HTREEITEM hItem) const {
    const INT_PTR item = reinterpret_cast<INT_PTR>(hItem);
    size_t index = static_cast<size_t>(item) - 1;
    return item > 0 && index < m_paths.size() ? index : static_cast<size_t>(-1);
}

bool CConsoleEvents::IsEntryDone(HTREEITEM hItem) {
    size_t index = IndexOf(hItem);
    return index != static_cast<size_t>(-1) && m_ticked[index];
}

void CConsoleEvents::OnEntryDone(HTREEITEM hItem) {
    size_t index = IndexOf(hItem);
    if (index != static_cast<size_t>(-1))
        m_ticked[index] = true;
}

void CConsoleEvents::OnFileBegin(const CString& source) {
    if (m_bQuiet)
        return;
    CString counter;
    counter.Format("[%d/%d]", m_nDone + 1, m_nTotal);
    m_out.Progress(counter, source);
}

void CConsoleEvents::OnFileConverted(const CString&) {
    ++m_nDone;
    ++m_nConverted;
}

void CConsoleEvents::OnFileFailed(const CString&) {
    ++m_nDone;
    ++m_nFailed;
}

void CConsoleEvents::OnApplicationNotStarted(const char* text) {
    m_bNoApplication = true;
    CString line;
    line.Format(texts::kStartFailed, text);
    m_out.Error(texts::kPrefix + line);
}

bool CConsoleEvents::SkipEntryHoldingOutput(const CString& entry) {
    // As the window's OK does: that entry is skipped, the job goes on.
    m_out.Error(CString(texts::kPrefix) + texts::kSubFolder + ": " + entry);
    return true;
}
