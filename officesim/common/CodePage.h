#pragma once
#include <windows.h>

#include <string>

// Conversions between UTF-16 (automation strings, file names) and 8-bit text: the ANSI code page
// for the registry settings, code page 936 for the journal.
class CodePage {
public:
    static constexpr UINT kJournal = 936;

    static std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP);
    static std::wstring Wide(const std::string& text, UINT codePage = CP_ACP);
};
