#pragma once
// The job's converter as the console runs it: the same engine, telling the owner window which
// file is in hand before each conversion, so that the console can show it.
#include "convert/CConverter.h"

class CConsoleConverter : public CConverter {
public:
    explicit CConsoleConverter(HWND hWndOwner) : m_hWndOwner(hWndOwner) {}

    BOOL ConvertFile(const CString& source, const CString& target, int nType) override;

private:
    HWND m_hWndOwner;
};
