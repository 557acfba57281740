#include "convert/CServerProcesses.h"

#include "framework/MbcsText.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// An ended process is gone within milliseconds; this only bounds a process that will not go.
constexpr DWORD kExitWaitMs = 5000;

std::string ClassKey(const char* progId) {
    std::vector<wchar_t> wide(std::strlen(progId) + 1);
    MultiByteToWideChar(CP_ACP, 0, progId, -1, wide.data(), static_cast<int>(wide.size()));
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wide.data(), &clsid)))
        return std::string();
    wchar_t text[40];
    StringFromGUID2(clsid, text, 40);
    return "CLSID\\" + mbcs::FromWide(text) + "\\LocalServer32";
}

// The program part of a LocalServer32 command line: quoted, or up to ".exe", or up to a space.
std::string ProgramOf(const std::string& command) {
    if (!command.empty() && command[0] == '"') {
        size_t end = mbcs::FindChar(command, '"', 1);
        return command.substr(1, end == mbcs::npos ? mbcs::npos : end - 1);
    }
    std::string lower = command;
    mbcs::FoldLower(lower);
    size_t exe = mbcs::Find(lower, ".exe");
    if (exe != mbcs::npos)
        return command.substr(0, exe + 4);
    return command.substr(0, mbcs::FindChar(command, ' '));
}

// The default value of an open key, "" when it has none. RRF_RT_REG_SZ alone also reads a
// REG_EXPAND_SZ value, expanded.
std::string ReadDefault(HKEY hKey) {
    DWORD size = 0;
    if (RegGetValueA(hKey, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0)
        return std::string();
    std::string text(size, '\0');
    if (RegGetValueA(hKey, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, &text[0], &size) !=
        ERROR_SUCCESS)
        return std::string();
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The default value of key under HKEY_CLASSES_ROOT. A 32-bit program does not see the class of a
// 64-bit application in its own view of the registry, nor the other way round: both views count.
std::string ReadCommand(const std::string& key) {
    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY), REGSAM(KEY_WOW64_32KEY)}) {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE | view, &hKey) !=
            ERROR_SUCCESS)
            continue;
        std::string command = ReadDefault(hKey);
        RegCloseKey(hKey);
        if (!command.empty())
            return command;
    }
    return std::string();
}

} // namespace

std::string CServerProcesses::ServerImage(const char* progId) {
    std::string key = ClassKey(progId);
    mbcs::PathParts parts = mbcs::SplitPath(ProgramOf(key.empty() ? key : ReadCommand(key)));
    return parts.fname + parts.ext;
}

std::vector<DWORD> CServerProcesses::ProcessesOf(const std::string& image) {
    std::vector<DWORD> pids;
    if (image.empty())
        return pids;
    CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return pids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (mbcs::CompareNoCase(entry.szExeFile, image.c_str()) == 0)
            pids.push_back(entry.th32ProcessID);
    }
    return pids;
}

void CServerProcesses::BeginStart(int nApp, const char* progId) {
    std::string image = ServerImage(progId);
    std::vector<DWORD> before = ProcessesOf(image);
    std::lock_guard<std::mutex> hold(m_lock);
    m_starting[nApp] = {image, before};
}

void CServerProcesses::EndStart(int nApp, bool bCreated) {
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<HANDLE> claimed = Claim(nApp);
    m_starting.erase(nApp);
    Forget(nApp, claimed);
    if (!bCreated || m_bAbandoned) {
        for (HANDLE hProcess : claimed)
            Terminate(hProcess);
    }
}

std::vector<HANDLE> CServerProcesses::Claim(int nApp) {
    std::vector<HANDLE> claimed;
    auto starting = m_starting.find(nApp);
    if (starting == m_starting.end())
        return claimed;
    const std::vector<DWORD>& before = starting->second.before;
    for (DWORD pid : ProcessesOf(starting->second.image)) {
        bool known = std::find(before.begin(), before.end(), pid) != before.end() ||
                     std::any_of(m_started.begin(), m_started.end(),
                                 [pid](const Started& s) { return s.pid == pid; });
        if (known)
            continue;
        CHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        if (!process)
            continue;
        claimed.push_back(process.Get());
        m_started.push_back({nApp, pid, std::move(process)});
    }
    return claimed;
}

void CServerProcesses::Forget(int nApp, const std::vector<HANDLE>& keep) {
    // A long job restarts an application after each failed file: keep only what still runs.
    auto gone = [&](const Started& s) {
        return s.nApp == nApp && WaitForSingleObject(s.process.Get(), 0) != WAIT_TIMEOUT &&
               std::find(keep.begin(), keep.end(), s.process.Get()) == keep.end();
    };
    m_started.erase(std::remove_if(m_started.begin(), m_started.end(), gone), m_started.end());
}

void CServerProcesses::End(int nApp) {
    std::lock_guard<std::mutex> hold(m_lock);
    Claim(nApp);
    for (const Started& started : m_started) {
        if (started.nApp == nApp)
            Terminate(started.process.Get());
    }
}

void CServerProcesses::EndAll(DWORD nWaitMs) {
    std::lock_guard<std::mutex> hold(m_lock);
    const DWORD start = GetTickCount();
    for (const Started& started : m_started) {
        DWORD spent = GetTickCount() - start;
        if (WaitForSingleObject(started.process.Get(), spent < nWaitMs ? nWaitMs - spent : 0) ==
            WAIT_TIMEOUT)
            Terminate(started.process.Get());
    }
    m_started.clear();
}

void CServerProcesses::Abandon() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_bAbandoned = true;
    for (auto& starting : m_starting)
        Claim(starting.first);
    for (const Started& started : m_started)
        Terminate(started.process.Get());
}

void CServerProcesses::Terminate(HANDLE hProcess) {
    if (WaitForSingleObject(hProcess, 0) != WAIT_TIMEOUT)
        return;
    TerminateProcess(hProcess, 1);
    WaitForSingleObject(hProcess, kExitWaitMs);
}
