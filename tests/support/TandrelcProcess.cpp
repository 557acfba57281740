#include "TandrelcProcess.h"

#include "framework/MbcsText.h"

#include <algorithm>
#include <cstring>

namespace {

HANDLE CreateStreamFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::string TandrelcProcess::ExePath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string relative = TANDRELC_RELATIVE_PATH;
    std::replace(relative.begin(), relative.end(), '/', '\\');
    mbcs::PathParts parts = mbcs::SplitPath(self);
    return parts.drive + parts.dir + relative;
}

TandrelcProcess::~TandrelcProcess() {
    if (m_process.hProcess != nullptr) {
        Wait(30000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    Detach();
}

bool TandrelcProcess::Start(const std::string& args, const std::string& workDir, Console console) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    HANDLE out = nullptr, err = nullptr;
    if (console != OWN_CONSOLE) {
        out = CreateStreamFile(m_streams.path() + "\\out.txt");
        err = CreateStreamFile(m_streams.path() + "\\err.txt");
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = err;
    }
    std::string commandLine = "\"" + m_exe + "\" " + args;
    DWORD flags = console == REDIRECTED ? 0 : CREATE_NEW_CONSOLE;
    BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr,
                                  workDir.c_str(), &startup, &m_process);
    if (out != nullptr) {
        CloseHandle(out);
        CloseHandle(err);
    }
    return started && (console == REDIRECTED || AttachToConsole());
}

bool TandrelcProcess::AttachToConsole() {
    // Console programs under Wine start without a console; leave whatever stands for one.
    FreeConsole();
    for (int tries = 0; tries < 500 && !m_attached; ++tries) {
        m_attached = AttachConsole(m_process.dwProcessId) != 0;
        if (!m_attached)
            Sleep(10);
    }
    // Ctrl+C goes to every process of the console: this one lets it pass.
    if (m_attached)
        SetConsoleCtrlHandler(nullptr, TRUE);
    return m_attached;
}

void TandrelcProcess::Detach() {
    if (!m_attached)
        return;
    FreeConsole();
    // Children inherit the ignoring of Ctrl+C: later programs must receive it again.
    SetConsoleCtrlHandler(nullptr, FALSE);
    m_attached = false;
}

bool TandrelcProcess::PressCtrlC() const {
    return m_attached && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
}

int TandrelcProcess::Wait(DWORD timeoutMs) {
    if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(m_process.hProcess, 255);
        WaitForSingleObject(m_process.hProcess, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
}

std::wstring TandrelcProcess::ConsoleText(int rows) const {
    HANDLE screen =
        CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (screen == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(screen, &info))
        return std::wstring();
    std::wstring text(static_cast<size_t>(info.dwSize.X) * static_cast<size_t>(rows), L'\0');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, &text[0], static_cast<DWORD>(text.size()), {0, 0}, &read);
    CloseHandle(screen);
    text.resize(read);
    return text;
}

std::vector<std::string> TandrelcProcess::ConsoleRows(int count) const {
    std::vector<std::string> rows;
    HANDLE screen =
        CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (screen == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(screen, &info))
        return rows;
    for (SHORT y = 0; y < count; ++y) {
        std::string row(static_cast<size_t>(info.dwSize.X) * 2, '\0');
        DWORD read = 0;
        ReadConsoleOutputCharacterA(screen, &row[0], static_cast<DWORD>(info.dwSize.X), {0, y},
                                    &read);
        row.resize(std::strlen(row.c_str()));
        row.erase(row.find_last_not_of(' ') + 1);
        rows.push_back(row);
    }
    CloseHandle(screen);
    return rows;
}
