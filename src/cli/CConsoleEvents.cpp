#include "cli/CConsoleEvents.h"

#include "cli/ConsoleTexts.h"
#include "framework/MbcsText.h"

#include <algorithm>

namespace {

constexpr char kNotStarted[] = "not-started";

} // namespace

void CConsoleEvents::Begin(const std::vector<CString>& entryPaths, int total, bool quiet) {
    m_paths = entryPaths;
    m_ticked.assign(entryPaths.size(), false);
    m_undone.assign(entryPaths.size(), false);
    m_met.assign(entryPaths.size(), 0);
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
    if (index == static_cast<size_t>(-1))
        return false;
    m_nCurrent = index;
    return m_ticked[index];
}

void CConsoleEvents::OnEntryDone(HTREEITEM hItem) {
    size_t index = IndexOf(hItem);
    if (index != static_cast<size_t>(-1) && !m_undone[index])
        m_ticked[index] = true;
}

void CConsoleEvents::OnFileBegin(const CString& source) {
    ++m_nInFlight;
    ++m_met[m_nCurrent];
    if (m_bQuiet)
        return;
    CString counter;
    if (m_nTotal < 0)
        counter.Format("[%d]", m_nDone + m_nInFlight);
    else
        counter.Format("[%d/%d]", m_nDone + m_nInFlight, m_nTotal);
    m_out.Progress(counter, source);
}

void CConsoleEvents::OnFileSettling(const CString& source, const CString& target, size_t entry) {
    m_inHand = {true, source, target, entry, nullptr};
}

void CConsoleEvents::OnFileSettled(bool done, SCODE code, const CString& description, DWORD ms) {
    --m_nInFlight;
    // A file not done was cut short by a stop, or its application could not be started; its
    // entry stays unticked, also when its walk has ended meanwhile.
    if (!done && m_inHand.entry < m_undone.size()) {
        m_undone[m_inHand.entry] = true;
        m_ticked[m_inHand.entry] = false;
    }
    const char* result = done && m_inHand.result != nullptr ? m_inHand.result : kNotStarted;
    Report(m_inHand.source, m_inHand.target, result, code, description, ms);
    m_inHand.active = false;
}

void CConsoleEvents::OnFileUpToDate(const CString& source, const CString& target) {
    ++m_nDone;
    ++m_nUpToDate;
    ++m_met[m_nCurrent];
    Report(source, target, "up-to-date", 0, CString(), 0);
}

void CConsoleEvents::OnFileConverted(const CString&) {
    ++m_nDone;
    ++m_nConverted;
    m_inHand.result = "converted";
}

void CConsoleEvents::OnFileFailed(const CString& source) {
    ++m_nDone;
    ++m_nFailed;
    // Outside a conversion the walk could not reach the file (or the folder that hides it).
    if (m_inHand.active && source == m_inHand.source) {
        m_inHand.result = "failed";
        return;
    }
    ++m_met[m_nCurrent];
    Report(source, CString(), "not-reachable", 0, CString(), 0);
}

void CConsoleEvents::Report(const CString& source, const CString& target, const char* result,
                            SCODE code, const CString& description, DWORD ms) {
    if (m_pReport != nullptr)
        m_pReport->Row(ReportedName(source), target, result, code, description, ms);
}

void CConsoleEvents::OnNameNotHeld(const CString& source, const std::wstring& fullName) {
    m_lastNotHeld = source;
    m_namesNotHeld.push_back(fullName);
}

std::string CConsoleEvents::ReportedName(const CString& source) const {
    // The engine tells the real name just before the failure of that source.
    if (!m_namesNotHeld.empty() && source == m_lastNotHeld)
        return mbcs::ToUtf8(m_namesNotHeld.back());
    return mbcs::ToUtf8(source.str());
}

void CConsoleEvents::OnApplicationNotStarted(const char* text) {
    m_bNoApplication = true;
    // Several instances may each find it missing: told once all the same.
    if (std::find(m_told.begin(), m_told.end(), text) != m_told.end())
        return;
    m_told.push_back(text);
    CString line;
    line.Format(texts::kStartFailed, text);
    m_out.Error(texts::kPrefix + line);
}

bool CConsoleEvents::SkipEntryHoldingOutput(const CString& entry) {
    // As the window's OK does: that entry is skipped, the job goes on.
    m_out.Error(CString(texts::kPrefix) + texts::kSubFolder + ": " + entry);
    return true;
}
