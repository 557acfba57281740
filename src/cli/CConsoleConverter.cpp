#include "cli/CConsoleConverter.h"

#include "shared/ConvertTable.h"

namespace {

using Outcome = CAutomationBridge::Outcome;

} // namespace

CConsoleConverter::CConsoleConverter(CConsoleEvents& events, bool bUpdate, int nInstances)
    : m_events(events), m_bUpdate(bUpdate) {
    if (nInstances > 1)
        m_pool = std::make_unique<CConvertPool>(nInstances, &m_bRunning);
}

BOOL CConsoleConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    if (MayKeep(target) && IsUpToDate(source, target)) {
        KeepUpToDate(source, target);
        return TRUE;
    }
    m_events.OnFileBegin(source);
    if (m_pool == nullptr)
        return ConvertHere(source, target, nType);
    CConvertPool::Task task{source, target, nType, m_events.CurrentEntry()};
    if (WrittenByJob(target) || m_bUnavailable[KindOfType(nType)]) {
        const Outcome outcome = WrittenByJob(target) ? Outcome::Failed : Outcome::NoApplication;
        Settle({task, outcome, CAutomationBridge::FileError(), 0});
        return TRUE;
    }
    // Claimed now: no later source of the same target is converted over it meanwhile.
    NoteWritten(target);
    HandOver(task);
    // Whether it is done comes with its result: an entry with a file left undone is unticked.
    return TRUE;
}

BOOL CConsoleConverter::ConvertHere(const CString& source, const CString& target, int nType) {
    // Refused for that reason, the file never reaches the application.
    const bool taken = WrittenByJob(target);
    const DWORD start = GetTickCount();
    m_events.OnFileSettling(source, target, m_events.CurrentEntry());
    const BOOL done = CConverter::ConvertFile(source, target, nType);
    const CAutomationBridge::FileError none;
    const CAutomationBridge::FileError& error = taken ? none : m_bridge.LastError();
    m_events.OnFileSettled(done != FALSE, error.code, error.description, GetTickCount() - start);
    return done;
}

void CConsoleConverter::QuitApplications() {
    if (m_pool != nullptr) {
        CConvertPool::Result result;
        while (m_pool->WaitResult(&result))
            Settle(result);
        m_pool->Close();
    }
    CConverter::QuitApplications();
}

void CConsoleConverter::HandOver(const CConvertPool::Task& task) {
    CConvertPool::Result result;
    while (!m_pool->HandOver(task, &result))
        Settle(result);
}

void CConsoleConverter::Settle(const CConvertPool::Result& result) {
    const CConvertPool::Task& task = result.task;
    if (result.outcome == Outcome::StartFailed || result.outcome == Outcome::NoApplication)
        m_bUnavailable[KindOfType(task.nType)] = true;
    m_events.OnFileSettling(task.source, task.target, task.entry);
    const BOOL done = SettleFile(task.source, task.target, task.nType, result.outcome);
    m_events.OnFileSettled(done != FALSE, result.error.code, result.error.description, result.ms);
}

bool CConsoleConverter::SettleListed(const CString& source, const CString& target,
                                     const FILETIME& listedWrite) {
    // Out of date by the listing: the usual way, which looks at the source as it is now.
    if (!MayKeep(target) || !IsAsNewAs(target, listedWrite))
        return false;
    KeepUpToDate(source, target);
    return true;
}

void CConsoleConverter::KeepUpToDate(const CString& source, const CString& target) {
    NoteWritten(target);
    m_events.OnFileUpToDate(source, target);
}

bool CConsoleConverter::IsUpToDate(const CString& source, const CString& target) {
    WIN32_FILE_ATTRIBUTE_DATA from;
    return GetFileAttributesExA(source, GetFileExInfoStandard, &from) &&
           IsAsNewAs(target, from.ftLastWriteTime);
}

bool CConsoleConverter::IsAsNewAs(const CString& target, const FILETIME& sourceWrite) {
    WIN32_FILE_ATTRIBUTE_DATA to;
    if (!GetFileAttributesExA(target, GetFileExInfoStandard, &to))
        return false;
    return (to.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           CompareFileTime(&to.ftLastWriteTime, &sourceWrite) >= 0;
}
