#pragma once
// The job's converter as the console runs it: the same engine, showing the file in hand on the
// console before each conversion and reporting how it ended; with /update, a file whose target
// is already as new as it is stays as it is.
#include "cli/CConsoleEvents.h"
#include "convert/CConverter.h"

class CConsoleConverter : public CConverter {
public:
    CConsoleConverter(CConsoleEvents& events, bool bUpdate)
        : m_events(events), m_bUpdate(bUpdate) {}

    BOOL ConvertFile(const CString& source, const CString& target, int nType) override;

    // Whether target exists as a file last written no earlier than source.
    static bool IsUpToDate(const CString& source, const CString& target);

private:
    CConsoleEvents& m_events;
    const bool m_bUpdate;
};
