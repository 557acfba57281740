#include "ShellTreeFixture.h"

#include "framework/MbcsText.h"
#include "shared/UserMessages.h"

#include "UiPump.h"
#include "WineHost.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace {

// A window that takes UWM_SCAN_PATH as the add-files dialog does, keeping every path it is given.
class ScanRecorder : public CWnd {
public:
    explicit ScanRecorder(const CScanReport& report) : report(report) {
        SubclassWindow(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr));
    }
    ~ScanRecorder() override { DestroyWindow(); }
    const CScanReport& report;
    std::vector<std::string> paths;
    size_t cancelAfter = 0;
    std::atomic<int>* flag = nullptr;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != UWM_SCAN_PATH)
            return CWnd::WindowProc(msg, wParam, lParam);
        std::string path = report.GetShownPath().str();
        // The message carries nothing: anything else shows in the recorded path.
        paths.push_back(wParam == 0 && lParam == 0 ? path : "with parameters: " + path);
        if (flag != nullptr && paths.size() == cancelAfter)
            *flag = 0;
        return 0;
    }
};

// Every entry of a folder tree as the file system lists it, depth first, not entering hidden
// folders: what the count must report.
void ReferenceWalk(const std::string& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(mbcs::JoinPath(folder, "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = fd.cFileName;
        std::string entry = mbcs::JoinPath(folder, name);
        out.push_back(entry);
        bool dots = name == "." || name == "..";
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots &&
            !(fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            ReferenceWalk(entry, out);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

class CountFilesTest : public ShellTreeFixture {
protected:
    void SetUp() override {
        ShellTreeFixture::SetUp();
        tree().m_strFilter = kWordFilter;
        tree().m_bShowFiles = TRUE;
        // Every examined path is sent, so the recorder sees the walk's order.
        tree().m_scanReport.m_nIntervalMs = 0;
    }
    int Count(const std::string& path) {
        return tree().CountFolderFiles(path.c_str(), kWordFilter, recorder);
    }
    ScanRecorder recorder{tree().m_scanReport};
};

} // namespace

TEST_F(CountFilesTest, EveryEntryIsReportedAndOnlyVisibleMatchingFilesCount) {
    for (const char* name :
         {"tree\\a.doc", "tree\\B.DOT", "tree\\c.txt", "tree\\README", "tree\\old.do",
          "tree\\乗\\d.doc", "tree\\乗\\嘰\\e.doc", "tree\\hidden.doc"})
        dir.WriteFile(name);
    Hide("tree\\hidden.doc");
    dir.WriteFile("tree\\secret\\f.doc");
    Hide("tree\\secret");
    dir.MakeDir("tree\\x.doc");

    EXPECT_EQ(4, Count(dir / "tree")) << "a.doc, B.DOT, d.doc and e.doc";
    std::vector<std::string> expected;
    ReferenceWalk(dir / "tree", expected);
    EXPECT_EQ(expected, recorder.paths);
    auto reported = [&](const std::string& path) {
        return std::find(recorder.paths.begin(), recorder.paths.end(), path) !=
               recorder.paths.end();
    };
    EXPECT_TRUE(reported(dir / "tree\\secret")) << "a hidden folder is reported";
    EXPECT_FALSE(reported(dir / "tree\\secret\\f.doc")) << "but not entered";
    EXPECT_TRUE(reported(dir / "tree\\乗\\.")) << "乗, trail byte 0x5C, is entered";
}

TEST_F(CountFilesTest, ASelectedItemIsCountedByWhatItIs) {
    dir.WriteFile("sel\\one.doc");
    dir.WriteFile("sel\\two.txt");
    dir.MakeDir("sel\\x.doc");
    dir.MakeDir("sel\\emptydir");
    HTREEITEM hDrive = ExpandedDrive();
    HTREEITEM hSel = Child(hDrive, "sel");
    tree().Expand(hSel, TVE_EXPAND);

    EXPECT_EQ(1, tree().CountItemFiles(Child(hSel, "one.doc"), kWordFilter, recorder));
    EXPECT_EQ(std::vector<std::string>{drive->root() + "sel\\one.doc"}, recorder.paths)
        << "reported once";
    recorder.paths.clear();
    EXPECT_EQ(1, tree().CountItemFiles(Child(hSel, "x.doc"), kWordFilter, recorder))
        << "an empty folder named x.doc counts as a file";
    EXPECT_EQ(0, tree().CountItemFiles(Child(hSel, "emptydir"), kWordFilter, recorder));
    EXPECT_EQ(
        (std::vector<std::string>{drive->root() + "sel\\x.doc", drive->root() + "sel\\emptydir"}),
        recorder.paths);

    recorder.paths.clear();
    EXPECT_EQ(1, tree().CountItemFiles(hSel, kWordFilter, recorder));
    recorder.paths.clear();
    EXPECT_EQ(1, tree().CountItemFiles(hDrive, kWordFilter, recorder)) << "a drive root is walked";
    EXPECT_EQ(drive->root() + "sel", recorder.paths.front()) << "no dots in a root folder";
}

TEST_F(CountFilesTest, ItemsWithoutAPathCountNothing) {
    dir.WriteFile("cwd\\a.doc");
    SetCurrentDirectoryA((dir / "cwd").c_str());
    tree().SetFilter(TRUE, kWordFilter);
    HTREEITEM hComputer = tree().GetSelectedItem();
    ASSERT_TRUE(tree().GetItemPath(hComputer).IsEmpty());
    EXPECT_EQ(0, tree().CountItemFiles(hComputer, kWordFilter, recorder))
        << "not the files of the current folder";
    EXPECT_EQ(0, tree().CountFolderFiles("", kWordFilter, recorder));
    EXPECT_EQ(std::vector<std::string>{""}, recorder.paths);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
}

TEST_F(CountFilesTest, CancelStopsEveryLevelAtItsNextEntry) {
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            dir.WriteFile("big\\d" + std::to_string(i) + "\\e" + std::to_string(j) + "\\f.doc");
    recorder.flag = &tree().m_bContinue;
    recorder.cancelAfter = 12;
    std::atomic<int> result{-1};
    std::string root = dir / "big";
    std::thread counter([&] { result = Count(root); });
    ASSERT_TRUE(PumpUntil([&] { return result.load() != -1; }));
    counter.join();
    EXPECT_EQ(0, result.load());
    EXPECT_EQ(12u, recorder.paths.size()) << "nothing reported after the flag was cleared";

    tree().m_bContinue = 1;
    recorder.flag = nullptr;
    EXPECT_EQ(25, Count(root));
}

// A walk clock that moves 7 ms on at every path examined (the report reads it once per path).
double g_walkMs = 0;
double SevenMsPerPath() {
    return g_walkMs += 7;
}

// The box hears of a path only now and then, never waiting for it, yet at every step of the walk
// it has been told of a path examined less than 50 ms of walking before, and it ends on the last.
TEST(ScanReport, TheBoxIsNeverMoreThan50MsOfWalkingBehind) {
    CScanReport report;
    report.m_pfnClock = &SevenMsPerPath;
    ScanRecorder recorder(report);
    std::vector<std::string> examined;
    for (int i = 0; i < 60; ++i) {
        examined.push_back("C:\\walk\\f" + std::to_string(i) + ".doc");
        report.Examine(recorder, examined.back().c_str());
        PumpMessages(0); // the box takes its posted messages as they come
    }
    report.ShowLatest(recorder);
    ASSERT_FALSE(recorder.paths.empty());
    EXPECT_EQ(examined.back(), recorder.paths.back()) << "ends on the last path examined";
    std::vector<size_t> shown; // which examined path each message showed
    for (const std::string& path : recorder.paths) {
        auto at = std::find(examined.begin(), examined.end(), path);
        ASSERT_NE(examined.end(), at) << path;
        shown.push_back(static_cast<size_t>(at - examined.begin()));
    }
    EXPECT_EQ(0u, shown.front()) << "the first path is shown at once";
    for (size_t k = 1; k < shown.size(); ++k) {
        EXPECT_LT(shown[k - 1], shown[k]) << "in walking order";
        if (k + 1 < shown.size()) {
            EXPECT_GE(7 * (shown[k] - shown[k - 1]), 50u) << "no more often than every 50 ms";
        }
        EXPECT_LT(7 * (shown[k] - shown[k - 1] - 1), 50u)
            << "at every step the path on show was examined less than 50 ms before";
    }
    EXPECT_LT(recorder.paths.size(), examined.size() / 5);
}

// Unless the run was cancelled, the box is given the last path of the walk when it ends.
TEST_F(CountFilesTest, TheLastPathExaminedIsShownAtTheEnd) {
    dir.WriteFile("end\\a.doc");
    dir.WriteFile("end\\b.doc");
    std::vector<std::string> examined;
    ReferenceWalk(dir / "end", examined);
    tree().m_scanReport.m_nIntervalMs = 60000;
    EXPECT_EQ(2, Count(dir / "end"));
    PumpMessages(0);
    EXPECT_EQ(std::vector<std::string>{examined.front()}, recorder.paths) << "only the first";
    tree().m_bContinue = 0;
    tree().ShowLastScanPath(recorder);
    EXPECT_EQ(1u, recorder.paths.size()) << "a cancelled run's box is gone";
    tree().m_bContinue = 1;
    tree().ShowLastScanPath(recorder);
    EXPECT_EQ(examined.back(), recorder.paths.back());
    EXPECT_EQ(examined.back(), tree().GetScanPath().str());
}

TEST_F(CountFilesTest, LinkBackToAnAncestorIsCountedOnce) {
    dir.WriteFile("loop\\a.doc");
    dir.WriteFile("loop\\inner\\b.doc");
    ASSERT_TRUE(MakeUnixSymlink(dir / "loop", dir / "loop\\inner\\back"));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((dir / "loop\\inner\\back\\a.doc").c_str()))
        << "the link shows as a folder";
    EXPECT_EQ(2, Count(dir / "loop"));
}
