#include "cli/CConsoleConverter.h"

BOOL CConsoleConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    // A target this job wrote is another source's result, never this one's.
    if (m_bUpdate && !WrittenByJob(target) && IsUpToDate(source, target)) {
        NoteWritten(target);
        m_events.OnFileUpToDate(source, target);
        return TRUE;
    }
    m_events.OnFileBegin(source, target);
    // Refused for that reason, the file never reaches the application.
    const bool taken = WrittenByJob(target);
    const BOOL done = CConverter::ConvertFile(source, target, nType);
    const CAutomationBridge::FileError none;
    const CAutomationBridge::FileError& error = taken ? none : m_bridge.LastError();
    m_events.OnFileEnd(done != FALSE, error.code, error.description);
    return done;
}

bool CConsoleConverter::IsUpToDate(const CString& source, const CString& target) {
    WIN32_FILE_ATTRIBUTE_DATA from, to;
    if (!GetFileAttributesExA(source, GetFileExInfoStandard, &from) ||
        !GetFileAttributesExA(target, GetFileExInfoStandard, &to))
        return false;
    return (to.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           CompareFileTime(&to.ftLastWriteTime, &from.ftLastWriteTime) >= 0;
}
