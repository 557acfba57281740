#pragma once
// tandrelc.exe started as a script starts it: from a working folder, with its output and error
// streams redirected to files; or in a console of its own, to which the test stays attached so
// that it can press Ctrl+C there and read the screen after the program has ended.
#include "TempDir.h"

#include <windows.h>

#include <string>
#include <vector>

class TandrelcProcess {
public:
    enum Console { REDIRECTED, OWN_CONSOLE_REDIRECTED, OWN_CONSOLE };

    // exe is the program to start: tandrelc.exe, or a test copy of it.
    explicit TandrelcProcess(const std::string& exe = ExePath()) : m_exe(exe) {}
    ~TandrelcProcess();
    TandrelcProcess(const TandrelcProcess&) = delete;
    TandrelcProcess& operator=(const TandrelcProcess&) = delete;

    // args is the command line after the program's name, as a script writes it.
    bool Start(const std::string& args, const std::string& workDir, Console console = REDIRECTED);
    // Ctrl+C in the program's console (OWN_CONSOLE...).
    bool PressCtrlC() const;
    // The exit code, or -1 when the program had to be ended after timeoutMs.
    int Wait(DWORD timeoutMs = 120000);

    std::string Out() const { return ReadFileBytes(m_streams.path() + "\\out.txt"); }
    std::string Err() const { return ReadFileBytes(m_streams.path() + "\\err.txt"); }
    // The first rows of the program's console (OWN_CONSOLE), without their trailing blanks.
    std::vector<std::string> ConsoleRows(int count) const;
    // The first rows of the program's console as one text, as wide characters.
    std::wstring ConsoleText(int rows) const;

    static std::string ExePath();

private:
    bool AttachToConsole();
    void Detach();

    std::string m_exe;
    TempDir m_streams{"tandrelc-streams"};
    PROCESS_INFORMATION m_process = {};
    bool m_attached = false;
};
