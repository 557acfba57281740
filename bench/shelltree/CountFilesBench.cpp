// Counting a folder tree of 100,000 entries with CountFolderFiles, reporting every path to a
// window on the interface thread, against a plain FindFirstFileA walk of the same tree; then how
// long a cleared scan flag takes to stop a running count.
#include "../BenchClock.h"
#include "shelltree/CShellTree.h"
#include "shared/UserMessages.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using bench::Now;
using bench::TimeOnWorker;

std::atomic<long> g_reports{0};

LRESULT CALLBACK ScanWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_SCAN_PATH) {
        ++g_reports;
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

long PlainWalk(const std::string& folder) {
    long n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = fd.cFileName;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            n += PlainWalk(folder + "\\" + name);
        else if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

void MakeTree(const std::string& root, int folders, int filesEach) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < folders; ++d) {
        std::string dir = root + "\\d" + std::to_string(d);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int f = 0; f < filesEach; ++f) {
            std::string file = dir + "\\f" + std::to_string(f) + (f % 2 ? ".doc" : ".txt");
            HANDLE h =
                CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(h);
        }
    }
}

} // namespace

int main() {
    CoInitialize(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ScanWndProc;
    wc.lpszClassName = "TandrelScanBench";
    RegisterClassA(&wc);
    HWND hScan = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "tandrel-count-bench";
    const int folders = 100, filesEach = 998; // 100 x (998 files + 2 dots) = 100,000 entries
    double made = Now();
    MakeTree(root, folders, filesEach);
    std::printf("tree built: %d folders, %d entries in %.1f s\n", folders,
                folders * (filesEach + 2) + 2, Now() - made);

    CShellTree tree;
    tree.m_bShowFiles = TRUE;
    const char filter[] = "Word文件 (*.doc;*.dot)|*.doc;*.dot||";
    long plainFiles = 0;
    int counted = 0;
    double plain = TimeOnWorker([&] { plainFiles = PlainWalk(root); });
    double count =
        TimeOnWorker([&] { counted = tree.CountFolderFiles(root.c_str(), filter, hScan); });
    std::printf("plain FindFirstFileA walk: %.3f s (%ld files)\n", plain, plainFiles);
    std::printf("CountFolderFiles:          %.3f s (%d matching, %ld paths reported)\n", count,
                counted, g_reports.load());
    std::printf("ratio count/plain:         %.1f\n", count / plain);

    std::atomic<double> cleared{0};
    double stopped = 0;
    std::thread canceller([&] {
        Sleep(100);
        cleared = Now();
        tree.m_bContinue = 0;
    });
    tree.m_bContinue = 1;
    int result = -1;
    TimeOnWorker([&] {
        result = tree.CountFolderFiles(root.c_str(), filter, hScan);
        stopped = Now();
    });
    canceller.join();
    std::printf("cancel: result %d, stopped %.3f ms after the flag was cleared\n", result,
                (stopped - cleared.load()) * 1000.0);

    for (int d = 0; d < folders; ++d) {
        std::string dir = root + "\\d" + std::to_string(d);
        for (int f = 0; f < filesEach; ++f)
            DeleteFileA((dir + "\\f" + std::to_string(f) + (f % 2 ? ".doc" : ".txt")).c_str());
        RemoveDirectoryA(dir.c_str());
    }
    RemoveDirectoryA(root.c_str());
    DestroyWindow(hScan);
    return 0;
}
