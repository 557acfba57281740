#include "cli/CConsoleConverter.h"

#include "cli/CJobOwnerWnd.h"

BOOL CConsoleConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    SendMessageA(m_hWndOwner, UWM_CONVERTING_FILE, 0,
                 reinterpret_cast<LPARAM>(static_cast<const char*>(source)));
    return CConverter::ConvertFile(source, target, nType);
}
