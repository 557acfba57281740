#include "common/CallJournal.h"

#include "common/CodePage.h"
#include "common/OfficeSimSettings.h"

#include <cstdio>

namespace {

std::string Hex8(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08lX", value);
    return text;
}

} // namespace

void CallJournal::Append(const std::string& object, const std::string& kind,
                         const std::string& dispid, const std::vector<std::string>& arguments) {
    const std::string path = OfficeSimSettings::JournalPath();
    if (path.empty())
        return;
    std::string line =
        std::to_string(GetCurrentProcessId()) + "\t" + object + "\t" + kind + "\t" + dispid;
    for (const std::string& argument : arguments)
        line += "\t" + argument;
    line += "\r\n";
    // Both servers may write at once: appending whole lines in one write keeps them apart.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    CloseHandle(file);
}

std::string CallJournal::Describe(const VARIANT& value) {
    switch (value.vt) {
    case VT_I2:
        return "I2:" + std::to_string(value.iVal);
    case VT_I4:
        return "I4:" + std::to_string(value.lVal);
    case VT_BOOL:
        return value.boolVal ? "BOOL:1" : "BOOL:0";
    case VT_ERROR:
        return "ERROR:" + Hex8(static_cast<unsigned long>(value.scode));
    case VT_BSTR:
        return "BSTR:" + CodePage::Narrow(std::wstring(value.bstrVal, SysStringLen(value.bstrVal)),
                                          CodePage::kJournal);
    case VT_DISPATCH:
        return "DISPATCH";
    case VT_VARIANT | VT_BYREF:
        return value.pvarVal ? "REF:" + Describe(*value.pvarVal) : "REF:NULL";
    default:
        return "VT:" + std::to_string(value.vt);
    }
}
