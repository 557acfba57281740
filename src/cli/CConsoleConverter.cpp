#include "cli/CConsoleConverter.h"

BOOL CConsoleConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    m_events.OnFileBegin(source);
    return CConverter::ConvertFile(source, target, nType);
}
