#include "WineHost.h"

#include "TempDir.h"
#include "UiPump.h"
#include "framework/MbcsText.h"

#include <windows.h>

#include <fstream>
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

bool RunUnixCommand(const std::string& commandLine, DWORD limitMs) {
    char temp[MAX_PATH] = {}, script[MAX_PATH] = {};
    if (!GetTempPathA(MAX_PATH, temp) || !GetTempFileNameA(temp, "unx", 0, script))
        return false;
    const std::string done = std::string(script) + ".done";
    std::ofstream(script, std::ios::binary)
        << commandLine << "\n: > " << Quote(UnixPathOf(done)) << "\n";
    std::string shell = "/bin/sh " + Quote(UnixPathOf(script));
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION ignored = {};
    // The handles Wine hands back for a Unix program are whatever lay on its stack: closing
    // them closed this process's own (its desktop among them, and every SendInput failed).
    bool ended = CreateProcessA(nullptr, &shell[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &si, &ignored) &&
                 PumpUntil([&] { return PathExists(done); }, limitMs);
    DeleteFileA(done.c_str());
    DeleteFileA(script);
    return ended;
}

bool MakeUnixSymlink(const std::string& target, const std::string& linkPath) {
    size_t sep = mbcs::ReverseFindChar(linkPath, '\\');
    std::string parent = UnixPathOf(linkPath.substr(0, sep));
    std::string unixTarget = UnixPathOf(target);
    return !parent.empty() && !unixTarget.empty() &&
           RunUnixCommand("/bin/ln -s " + Quote(unixTarget) + " " +
                          Quote(parent + "/" + linkPath.substr(sep + 1))) &&
           PathExists(linkPath);
}

bool RemoveUnixSymlink(const std::string& linkPath) {
    std::string unixLink = UnixPathOf(linkPath);
    return !unixLink.empty() && RunUnixCommand("/bin/rm -f " + Quote(unixLink)) &&
           !PathExists(linkPath);
}
