#pragma once
// The job's converter as the console runs it: the same engine, showing the file in hand on the
// console before each conversion.
#include "cli/CConsoleEvents.h"
#include "convert/CConverter.h"

class CConsoleConverter : public CConverter {
public:
    explicit CConsoleConverter(CConsoleEvents& events) : m_events(events) {}

    BOOL ConvertFile(const CString& source, const CString& target, int nType) override;

private:
    CConsoleEvents& m_events;
};
