#include "cli/CCommandLine.h"

#include "cli/CSourceList.h"
#include "cli/ConsoleTexts.h"
#include "framework/MbcsText.h"

#include <cstdlib>

namespace {

// The option's name without its "/", "-" or "--", or "" when arg is no option.
CString OptionBody(const CString& arg) {
    if (arg.GetLength() >= 2 && arg[0] == '-' && arg[1] == '-')
        return arg.Mid(2);
    if (arg.GetLength() >= 2 && (arg[0] == '/' || arg[0] == '-'))
        return arg.Mid(1);
    return CString();
}

bool IsName(const CString& name, const char* a, const char* b = nullptr) {
    return name.CompareNoCase(a) == 0 || (b != nullptr && name.CompareNoCase(b) == 0);
}

} // namespace

bool CCommandLine::Parse(const std::vector<CString>& args) {
    bool optionsEnd = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (optionsEnd || OptionBody(arg).IsEmpty()) {
            m_sources.push_back(arg);
            continue;
        }
        bool taken = false;
        ParseOption(arg, i + 1 < args.size() ? &args[i + 1] : nullptr, &taken);
        if (taken)
            ++i;
    }
    // Asking for help or the version is never an error, whatever else the line holds.
    bool asking = m_bHelp || m_bVersion;
    if (asking)
        m_strError.Empty();
    if (asking || !m_strError.IsEmpty())
        return asking;
    if (m_sources.empty())
        return Fail(texts::kNoSource, CString());
    if (m_strOutputDir.IsEmpty())
        return Fail(texts::kNoOutput, CString());
    return true;
}

bool CCommandLine::ParseOption(const CString& arg, const CString* next, bool* pTaken) {
    CString body = OptionBody(arg);
    size_t split = mbcs::FindFirstOf(body.str(), ":=");
    CString name = split == mbcs::npos ? body : body.Left(static_cast<int>(split));
    bool hasValue = split != mbcs::npos;
    CString value = hasValue ? body.Mid(static_cast<int>(split) + 1) : CString();

    if (IsName(name, "?", "help") || IsName(name, "h")) {
        m_bHelp = true;
        return true;
    }
    if (IsName(name, "version")) {
        if (hasValue)
            return Fail(texts::kNoValueWanted, arg);
        m_bVersion = true;
        return true;
    }
    if (IsName(name, "quiet", "q") || IsName(name, "update")) {
        (IsName(name, "update") ? m_bUpdate : m_bQuiet) = true;
        return !hasValue || Fail(texts::kNoValueWanted, arg);
    }
    if (!IsName(name, "out") && !IsName(name, "to") && !IsName(name, "kind") &&
        !IsName(name, "from") && !IsName(name, "report") && !IsName(name, "jobs"))
        return Fail(texts::kUnknownOption, arg);
    if (!hasValue && next != nullptr) {
        value = *next;
        *pTaken = true;
    }
    if (value.IsEmpty())
        return Fail(texts::kValueMissing, arg);
    if (IsName(name, "out")) {
        m_strOutputDir = value;
    } else if (IsName(name, "jobs")) {
        return ParseJobs(value) || Fail(texts::kBadValue, arg);
    } else if (IsName(name, "report")) {
        m_strReport = value;
    } else if (IsName(name, "from")) {
        CString error;
        if (!CSourceList::Read(value, &m_sources, &error))
            return Fail(error, CString());
    } else if (IsName(name, "to")) {
        if (!IsName(value, "qor") && !IsName(value, "ms"))
            return Fail(texts::kBadValue, arg);
        m_nDirection = IsName(value, "qor") ? DIR_OFFICE_TO_QOR : DIR_QOR_TO_OFFICE;
    } else if (IsName(value, "doc") || IsName(value, "sheet") || IsName(value, "both")) {
        m_nKinds = IsName(value, "doc")     ? KINDS_DOC
                   : IsName(value, "sheet") ? KINDS_SHEET
                                            : KINDS_BOTH;
    } else {
        return Fail(texts::kBadValue, arg);
    }
    return true;
}

bool CCommandLine::ParseJobs(const CString& value) {
    const std::string& text = value.str();
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int jobs = std::atoi(text.c_str());
    if (jobs < 1 || jobs > kMaxJobs)
        return false;
    m_nJobs = jobs;
    return true;
}

bool CCommandLine::Fail(const char* what, const CString& detail) {
    if (!m_strError.IsEmpty())
        return false; // the first fault is the one to tell
    m_strError = detail.IsEmpty() ? CString(what) : CString(what) + ": " + detail;
    return false;
}
