#pragma once
// The per-file report of a job (/report:FILE): CSV in UTF-8 with a byte-order mark, so that a
// spreadsheet opens the Chinese paths right, quoted as RFC 4180 says; one row per source file,
// written as the file is done, so that a job cut off keeps the rows of what it did.
#include "framework/CString.h"

#include <cstdio>

class CJobReport {
public:
    CJobReport() = default;
    ~CJobReport();
    CJobReport(const CJobReport&) = delete;
    CJobReport& operator=(const CJobReport&) = delete;

    // Creates the file with its header row; false when it cannot be made.
    bool Open(const CString& path);
    // sourceUtf8 comes as UTF-8: a source whose name the code page cannot hold has no ANSI form.
    void Row(const std::string& sourceUtf8, const CString& target, const char* result, SCODE code,
             const CString& description, DWORD ms);
    // Closes the file; false when a row could not be written.
    bool Close();

private:
    static std::string Field(const std::string& text);
    void Put(const std::string& line);

    FILE* m_file = nullptr;
    bool m_bLost = false;
};
