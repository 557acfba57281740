#include "WineHost.h"

#include "framework/MbcsText.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring Wide(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> buf(static_cast<size_t>(n > 0 ? n : 1));
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, buf.data(), n);
    return buf.data();
}

std::string Quote(const std::string& s) {
    return "\"" + s + "\"";
}

} // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr)
        return std::string();
    char* unixPath = convert(Wide(windowsPath).c_str());
    if (unixPath == nullptr)
        return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

bool RunUnixCommand(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool MakeUnixSymlink(const std::string& target, const std::string& linkPath) {
    size_t sep = mbcs::ReverseFindChar(linkPath, '\\');
    std::string parent = UnixPathOf(linkPath.substr(0, sep));
    std::string unixTarget = UnixPathOf(target);
    if (parent.empty() || unixTarget.empty())
        return false;
    if (!RunUnixCommand("/bin/ln -s " + Quote(unixTarget) + " " +
                        Quote(parent + "/" + linkPath.substr(sep + 1))))
        return false;
    // Wine hands a Unix program to a launcher, so the link may appear a moment after we return.
    for (int i = 0; i < 100; ++i) {
        if (GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}

bool RemoveUnixSymlink(const std::string& linkPath) {
    std::string unixLink = UnixPathOf(linkPath);
    if (unixLink.empty() || !RunUnixCommand("/bin/rm -f " + Quote(unixLink)))
        return false;
    for (int i = 0; i < 100; ++i) {
        if (GetFileAttributesA(linkPath.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}
