// Counting a folder tree of 100,000 entries as an add run does, the real add-files box on this
// thread showing the paths it is sent, against a bare FindFirstFileA walk of the same tree on
// the same worker-thread set-up; then how long the box's Cancel button takes to stop a count.
// The tree is made once in the temporary folder and kept for later runs; "--clean" removes it.
#include "../BenchClock.h"
#include "app/AddFilesDlg.h"
#include "res/resource.h"
#include "shared/UserMessages.h"
#include "shelltree/CShellTree.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

using bench::Now;
using bench::TimeOnWorker;

const int kFolders = 100, kFilesEach = 998; // 100 x (998 files + 2 dots) = 100,000 entries
const char kFilter[] = "Word文件 (*.doc;*.dot)|*.doc;*.dot||";

// The real box, counting the paths it is sent.
class CountingBox : public CAddFilesDlg {
public:
    long m_nPaths = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == UWM_SCAN_PATH)
            ++m_nPaths;
        return CAddFilesDlg::WindowProc(msg, wParam, lParam);
    }
};

long BareWalk(const std::string& folder) {
    long n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (dir && std::strcmp(fd.cFileName, ".") != 0 && std::strcmp(fd.cFileName, "..") != 0)
            n += BareWalk(folder + "\\" + fd.cFileName);
        else if (!dir)
            ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

std::string FileName(const std::string& root, int d, int f) {
    return root + "\\d" + std::to_string(d) + "\\f" + std::to_string(f) + (f % 2 ? ".doc" : ".txt");
}

void MakeTree(const std::string& root) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < kFolders; ++d) {
        CreateDirectoryA((root + "\\d" + std::to_string(d)).c_str(), nullptr);
        for (int f = 0; f < kFilesEach; ++f)
            CloseHandle(CreateFileA(FileName(root, d, f).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr));
    }
}

void RemoveTree(const std::string& root) {
    for (int d = 0; d < kFolders; ++d) {
        for (int f = 0; f < kFilesEach; ++f)
            DeleteFileA(FileName(root, d, f).c_str());
        RemoveDirectoryA((root + "\\d" + std::to_string(d)).c_str());
    }
    RemoveDirectoryA(root.c_str());
}

// Presses the box's Cancel 200 ms into a count; milliseconds from the press until it stopped.
double CancelLatency(CShellTree& tree, CAddFilesDlg* box, const std::string& root) {
    box->ShowWindow(SW_SHOW);
    tree.m_bContinue = 1;
    std::atomic<bool> done{false};
    double stopped = 0, pressed = 0;
    std::thread counter([&] {
        tree.CountFolderFiles(root.c_str(), kFilter, *box);
        stopped = Now();
        done = true;
    });
    double start = Now();
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (pressed == 0 && Now() - start > 0.2) {
            pressed = Now();
            SendMessageA(box->GetDlgItem(IDCANCEL), BM_CLICK, 0, 0);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    counter.join();
    return pressed == 0 ? -1 : (stopped - pressed) * 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tandrel-count-bench";
    const std::string ready = root + ".ready";
    if (argc > 1 && std::strcmp(argv[1], "--clean") == 0) {
        RemoveTree(root);
        DeleteFileA(ready.c_str());
        return 0;
    }
    if (GetFileAttributesA(ready.c_str()) == INVALID_FILE_ATTRIBUTES) {
        double made = Now();
        MakeTree(root);
        CloseHandle(
            CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        std::printf("tree made in %.1f s (kept for later runs)\n", Now() - made);
    }

    CShellTree tree;
    tree.m_bShowFiles = TRUE;
    auto* box = new CountingBox;
    box->Create(IDD_ADDFILES);
    box->m_pSourceTree = &tree;

    // Six rounds, each measuring both, in turn first; the best of each side is compared.
    double bestBare = 1e9, bestCount = 1e9;
    long files = 0;
    int matching = 0;
    for (int round = 0; round < 6; ++round) {
        double bare = 0, count = 0;
        for (int side = 0; side < 2; ++side) {
            if ((side + round) % 2 == 0) {
                bare = TimeOnWorker([&] { files = BareWalk(root); });
                continue;
            }
            box->m_nPaths = 0;
            count = TimeOnWorker([&] {
                matching = tree.CountFolderFiles(root.c_str(), kFilter, *box);
                tree.ShowLastScanPath(*box);
            });
        }
        std::printf("round %d: bare walk %.3f s (%ld files), count %.3f s (%d matching, %ld paths "
                    "shown), ratio %.2f\n",
                    round + 1, bare, files, count, matching, box->m_nPaths, count / bare);
        bestBare = std::min(bestBare, bare);
        bestCount = std::min(bestCount, count);
    }
    std::printf("counting %d entries through the add-files box: ratio %.2f (best %.3f s against "
                "best bare walk %.3f s)\n",
                kFolders * (kFilesEach + 2) + 2, bestCount / bestBare, bestCount, bestBare);

    double worst = 0;
    for (int i = 0; i < 3; ++i)
        worst = std::max(worst, CancelLatency(tree, box, root));
    std::printf("Cancel: the count stopped at most %.2f ms after the press (3 presses)\n", worst);
    box->DestroyWindow();
    return 0;
}
