#include "framework/CFileFind.h"

#include "framework/MbcsText.h"

#include <cstring>

BOOL CFileFind::FindFile(const char* pattern) {
    Close();
    const std::string text = pattern ? pattern : "*.*";
    mbcs::PathParts parts = mbcs::SplitPath(text);
    m_strRoot = CString(parts.drive + parts.dir);
    m_hFind = ::FindFirstFileA(text.c_str(), &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bHasCurrent = TRUE;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next);
    return m_bHasNext;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasNext = FALSE;
    m_bHasCurrent = FALSE;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const {
    if (!m_bHasCurrent)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}

CString CFileFind::GetFileName() const {
    return m_bHasCurrent ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
    return m_bHasCurrent ? m_strRoot + m_found.cFileName : CString();
}

std::vector<std::wstring> CFileFind::WideNames(const char* folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE hFind = ::FindFirstFileW(mbcs::ToWide(mbcs::JoinPath(folder, "*")).c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (::FindNextFileW(hFind, &found));
    FindClose(hFind);
    return names;
}

BOOL CFileFind::IsDots() const {
    return IsDirectory() &&
           (std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0);
}

BOOL CFileFind::MatchesMask(DWORD mask) const {
    return m_bHasCurrent && (m_found.dwFileAttributes & mask) != 0;
}
