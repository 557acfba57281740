#pragma once
// The command line of tandrelc: options in Windows style (/opt, also -opt and --opt; a value
// after ":" or "=", or as the next argument), then the sources in the order given.
#include "framework/CString.h"
#include "shared/ConvertType.h"

#include <vector>

class CCommandLine {
public:
    // Which kinds of document a job converts; a folder gives one entry per kind chosen.
    enum Kinds { KINDS_DOC = 1, KINDS_SHEET = 2, KINDS_BOTH = 3 };

    // False on a usage error, with m_strError telling the first fault; a request for help or
    // for the version anywhere on the line is never an error.
    bool Parse(const std::vector<CString>& args);

    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bQuiet = false;
    bool m_bUpdate = false; // targets as new as their sources are not converted again
    CString m_strReport;    // the per-file report's path, "" for none
    int m_nJobs = 1;        // application instances converting at once, 1 to kMaxJobs

    static constexpr int kMaxJobs = 16;
    int m_nDirection = DIR_OFFICE_TO_QOR;
    int m_nKinds = KINDS_BOTH;
    CString m_strOutputDir;
    std::vector<CString> m_sources;
    CString m_strError;

private:
    // Handles one option; next is the following argument, taken (and *pTaken set) when the
    // option needs a value and has none of its own. False on a fault, told in m_strError.
    bool ParseOption(const CString& arg, const CString* next, bool* pTaken);
    // /jobs:N with N from 1 to kMaxJobs; false for anything else.
    bool ParseJobs(const CString& value);
    bool Fail(const char* what, const CString& detail);
};
