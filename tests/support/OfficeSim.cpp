#include "OfficeSim.h"

#include "UiPump.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr char kKey[] = "Software\\Tandrel\\OfficeSim";
constexpr char kHeaderStart[] = "OFFICESIM ";
constexpr const char* kServerPrograms[] = {"qorsim.exe", "lxsim.exe"};

void SetText(const std::string& subKey, const std::string& name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void SetNumber(const std::string& subKey, const std::string& name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
    RegCloseKey(key);
}

bool IsServerProgram(const char* exeName) {
    return std::any_of(std::begin(kServerPrograms), std::end(kServerPrograms),
                       [exeName](const char* program) { return lstrcmpiA(exeName, program) == 0; });
}

// The command line that COM starts the server of progId with; "" when it is not registered.
std::string ServerCommand(const std::string& progId) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(std::wstring(progId.begin(), progId.end()).c_str(), &clsid)))
        return std::string();
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    std::string key = "Software\\Classes\\CLSID\\";
    for (const wchar_t* c = text; *c != L'\0'; ++c)
        key += static_cast<char>(*c);
    char value[2 * MAX_PATH] = {};
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (key + "\\LocalServer32").c_str(), nullptr, RRF_RT_REG_SZ,
                     nullptr, value, &size) != ERROR_SUCCESS)
        return std::string();
    return value;
}

void RunAndWait(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

OfficeSim::OfficeSim() : m_dir("officesim"), m_journal(m_dir / "journal.txt") {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    SetText(kKey, "Journal", m_journal);
}

OfficeSim::~OfficeSim() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    RegisterAgain();
}

void OfficeSim::RegisterAgain() {
    for (const std::string& server : m_unregistered)
        RunAndWait(server + " /RegServer");
    m_unregistered.clear();
}

void OfficeSim::Fault(const std::string& fileName, const std::string& rule) {
    SetText(std::string(kKey) + "\\Faults", fileName, rule);
}

void OfficeSim::RefuseStart(const std::string& progId) {
    SetText(kKey, "RefuseStart", progId);
}

void OfficeSim::StartError(const std::string& progId) {
    SetText(kKey, "StartError", progId);
}

void OfficeSim::Work(const std::string& value) {
    SetText(kKey, "Work", value);
}

void OfficeSim::QuitError(bool on) {
    SetNumber(kKey, "QuitError", on ? 1 : 0);
}

void OfficeSim::Unregister(const std::string& progId) {
    std::string server = ServerCommand(progId);
    if (server.empty())
        return;
    m_unregistered.push_back(server);
    RunAndWait(server + " /UnregServer");
}

std::vector<std::string> OfficeSim::JournalLines() const {
    const std::string text = ReadFileBytes(m_journal);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> OfficeSim::Calls() const {
    std::vector<std::string> calls;
    for (const std::string& line : JournalLines()) {
        size_t tab = line.find('\t');
        calls.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    return calls;
}

std::vector<DWORD> OfficeSim::JournalPids() const {
    std::vector<DWORD> pids;
    for (const std::string& line : JournalLines()) {
        DWORD pid = static_cast<DWORD>(std::strtoul(line.c_str(), nullptr, 10));
        if (std::find(pids.begin(), pids.end(), pid) == pids.end())
            pids.push_back(pid);
    }
    return pids;
}

DWORD OfficeSim::PidOf(const std::string& call) const {
    for (const std::string& line : JournalLines()) {
        size_t tab = line.find('\t');
        if (tab != std::string::npos && line.substr(tab + 1) == call)
            return static_cast<DWORD>(std::strtoul(line.c_str(), nullptr, 10));
    }
    return 0;
}

void OfficeSim::ClearJournal() {
    DeleteFileA(m_journal.c_str());
}

void OfficeSim::WriteDoc(const std::string& path, const std::string& format,
                         const std::string& payload) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!format.empty())
        out << kHeaderStart << format << "\r\n";
    out << payload;
}

bool OfficeSim::ReadDoc(const std::string& path, std::string* format, std::string* payload) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    const std::string bytes = ReadFileBytes(path);
    const size_t startLength = sizeof(kHeaderStart) - 1;
    const size_t lineEnd = bytes.find("\r\n");
    format->clear();
    *payload = bytes;
    if (bytes.compare(0, startLength, kHeaderStart) == 0 && lineEnd != std::string::npos) {
        *format = bytes.substr(startLength, lineEnd - startLength);
        *payload = bytes.substr(lineEnd + 2);
    }
    return true;
}

std::vector<DWORD> OfficeSim::ServerPids() {
    std::vector<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return pids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (IsServerProgram(entry.szExeFile))
            pids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return pids;
}

std::vector<DWORD> OfficeSim::ServerPidsSince(const std::vector<DWORD>& before) {
    std::vector<DWORD> since;
    for (DWORD pid : ServerPids()) {
        if (std::find(before.begin(), before.end(), pid) == before.end())
            since.push_back(pid);
    }
    return since;
}

void OfficeSim::KillServers() {
    for (DWORD pid : ServerPids()) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process == nullptr)
            continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

bool OfficeSim::WaitForExit(DWORD pid, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
        return true;
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

testing::AssertionResult IsDoc(const std::string& path, const std::string& format,
                               const std::string& payload) {
    std::string gotFormat, gotPayload;
    if (!OfficeSim::ReadDoc(path, &gotFormat, &gotPayload))
        return testing::AssertionFailure() << Utf8(path) << " cannot be read";
    if (gotFormat != format || gotPayload != payload)
        return testing::AssertionFailure() << Utf8(path) << " holds format \"" << gotFormat
                                           << "\" and payload \"" << Utf8(gotPayload) << "\"";
    return testing::AssertionSuccess();
}
