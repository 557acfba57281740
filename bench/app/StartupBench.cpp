// Start-up to an interactive main window: the time from CreateProcess until the program's first
// shown top-level window has painted itself and all its controls and answers a message (its
// message loop runs), for the program, for a bare dialog program built the same way, and for that
// bare program showing the program's own window template (the floor that the window's controls
// set), started in turn; the medians are compared.
// Usage: bench_startup [runs] [program] [bare program] [template program] (default 7 runs of
// each; the programs are found beside this one in the build tree).
#include "../BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hWnd) ||
        (GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

BOOL CALLBACK FindUnpainted(HWND hWnd, LPARAM lParam) {
    if (IsWindowVisible(hWnd) && GetUpdateRect(hWnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the window and every shown child have painted all there is to paint.
bool FullyPainted(HWND hWnd) {
    bool unpainted = GetUpdateRect(hWnd, nullptr, FALSE) != FALSE;
    if (!unpainted)
        EnumChildWindows(hWnd, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Seconds until the program's window is up, painted and answering, or a negative number on
// failure.
double StartToInteractive(const std::string& program) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + program + "\"";
    double start = Now();
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return -1;
    Search search = {pi.dwProcessId, nullptr};
    while (search.found == nullptr && Now() - start < 60) {
        EnumWindows(&FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(1);
    }
    DWORD_PTR answer = 0;
    double seconds = -1;
    while (search.found != nullptr && Now() - start < 60) {
        if (!SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer))
            break;
        if (FullyPainted(search.found)) {
            seconds = Now() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seconds;
}

std::string BesideThisProgram(const char* relative) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    return folder.substr(0, folder.find_last_of('\\') + 1) + relative;
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::string program = argc > 2 ? argv[2] : BesideThisProgram("..\\..\\src\\tandrel.exe");
    std::string bare = argc > 3 ? argv[3] : BesideThisProgram("bench_bare_dialog.exe");
    std::string windowTemplate =
        argc > 4 ? argv[4] : BesideThisProgram("bench_template_dialog.exe");
    // One start of each first, not counted: it loads the libraries from disk.
    for (const std::string* each : {&bare, &windowTemplate, &program}) {
        if (StartToInteractive(*each) < 0) {
            std::printf("could not start %s\n", each->c_str());
            return 1;
        }
    }
    std::vector<double> programTimes, bareTimes, templateTimes;
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(StartToInteractive(bare));
        templateTimes.push_back(StartToInteractive(windowTemplate));
        programTimes.push_back(StartToInteractive(program));
        std::printf(
            "run %d: bare dialog %.3f s, the window's template alone %.3f s, program %.3f s\n",
            i + 1, bareTimes.back(), templateTimes.back(), programTimes.back());
    }
    double p = Median(programTimes), b = Median(bareTimes), t = Median(templateTimes);
    std::printf("start-up to an interactive main window: ratio %.2f (median %.3f s against a bare "
                "dialog's %.3f s, %d starts each)\n",
                p / b, p, b, runs);
    std::printf("the window's template alone, no code behind it: %.2f the bare dialog (median "
                "%.3f s); the program is %.2f of that\n",
                t / b, t, p / t);
    return 0;
}
