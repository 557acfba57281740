#pragma once
// File enumeration with MFC's look-ahead: FindNextFile() makes the next entry current and
// returns FALSE when that entry is the last one (it is still valid to read).
#include "framework/CString.h"

#include <string>
#include <vector>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(const char* pattern = nullptr);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsDots() const;
    BOOL MatchesMask(DWORD mask) const;
    // The current entry's time of last writing, as the listing gave it.
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;

    // The names of a folder's entries as they are, which the ANSI listing gives with "?" for
    // each character the code page cannot hold; in the listing's order.
    static std::vector<std::wstring> WideNames(const char* folder);

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_found = {};
    WIN32_FIND_DATAA m_next = {};
    BOOL m_bHasNext = FALSE;
    BOOL m_bHasCurrent = FALSE;
    CString m_strRoot; // folder part of the pattern, with its trailing separator
};
