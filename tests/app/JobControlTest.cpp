#include "AppFixture.h"

#include "OfficeCalls.h"
#include "UiPump.h"
#include "framework/AfxMessageBox.h"
#include "res/resource.h"
#include "shared/ConvertType.h"
#include "shared/UserMessages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using JobControl = AppFixture;

constexpr int kJobControls[] = {IDC_ADD,        IDC_REMOVE,      IDC_BROWSE, IDC_START,
                                IDC_RADIO_WORD, IDC_RADIO_EXCEL, IDOK};

void SetOutput(TestConvertDlg& dlg, const std::string& folder) {
    dlg.SetDlgItemText(IDC_OUTPUT_DIR, folder.c_str());
}

} // namespace

// Nothing is created and no job starts for an empty folder text, an empty list or a folder text
// that cannot fit the job record.
TEST_F(JobControl, StartRefusesAnEmptyFolderAnEmptyListAndAnOverlongFolder) {
    struct Case {
        std::string folder;
        bool entry;
        const char* text;
    } const cases[] = {
        {"", true, "没有需要转换的文件或保存路径为空"},
        {out / "new", false, "没有需要转换的文件或保存路径为空"},
        {out / std::string(260, 'x'), true, "保存路径太长,请选择一个较短的目录"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.size());
        dlg.m_listTree.DeleteAllItems();
        dlg.m_listTree.m_items.clear();
        if (c.entry)
            AddEntry(src.WriteFile("a.doc"), CT_WORD_TO_QOR, 1);
        SetOutput(dlg, c.folder);
        size_t before = boxes->Count();
        Press(IDC_START);
        ASSERT_EQ(before + 1, boxes->Count());
        MessageBoxRecorder::Box box = boxes->Boxes().back();
        EXPECT_EQ(Utf8(c.text), Utf8(box.text));
        EXPECT_EQ(Utf8("批量转换工具"), Utf8(box.caption));
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.type);
        EXPECT_FALSE(dlg.IsWorkerRunning());
        EXPECT_FALSE(PathExists(out / "new"));
    }
}

// A missing folder is offered for creation once: Cancel starts nothing, OK creates it (parent
// first) and starts the job; a folder text that cannot be created says so.
TEST_F(JobControl, MissingOutputFolderIsCreatedOnOkOnly) {
    OfficeSim sim;
    AddEntry(src.WriteFile("a.doc"), CT_WORD_TO_QOR, 1);
    struct Case {
        std::string folder;
        int answer;
        bool created;
        size_t boxes;
    } const cases[] = {
        {out / "x\\y\\z\\", IDCANCEL, false, 1},
        {"abc", IDOK, false, 2},
        {out / "x\\y\\z\\", IDOK, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        size_t before = boxes->Count();
        boxes->QueueAnswer(c.answer);
        SetOutput(dlg, c.folder);
        ASSERT_TRUE(StartAndWait());
        std::vector<MessageBoxRecorder::Box> shown = boxes->Boxes();
        ASSERT_EQ(before + c.boxes, shown.size());
        EXPECT_EQ(Utf8("保存路径不存在,创建新目录吗?"), Utf8(shown[before].text));
        EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), shown[before].type);
        if (c.boxes == 2) {
            EXPECT_EQ(Utf8("目录创建失败,请重试"), Utf8(shown[before + 1].text));
        }
        EXPECT_EQ(c.created, PathExists(out / "x"));
        EXPECT_EQ(c.created, IsDoc(out / "x\\y\\z\\a.qor", "qor", "x"));
    }
    EXPECT_FALSE(PathExists("abc"));
}

TEST_F(JobControl, StartedAndFinishedMessagesSwitchTheControls) {
    struct Step {
        LPARAM state;
        bool idle;
    } const steps[] = {{0, false}, {7, false}, {1, true}, {0, false}, {1, true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.state);
        EXPECT_EQ(1, dlg.SendMessage(UWM_CONVERT_STATE, 0, step.state));
        for (int id : kJobControls)
            EXPECT_EQ(step.idle, Enabled(id)) << id;
        EXPECT_EQ(!step.idle, Enabled(IDC_STOP));
        EXPECT_TRUE(Enabled(IDC_SHELL_TREE) && Enabled(IDC_LIST_TREE) && Enabled(IDC_OUTPUT_DIR));
    }
}

// A whole job from the window: files converted, entries ticked, the progress at the total; a
// second Start converts nothing and still moves the progress to the full count.
TEST_F(JobControl, JobTicksEveryEntryAndASecondStartOnlyCountsThem) {
    OfficeSim sim;
    src.MakeDir("Alpha");
    OfficeSim::WriteDoc(src / "Alpha\\one.doc", "doc", "1");
    OfficeSim::WriteDoc(src / "Alpha\\two.dot", "dot", "2");
    OfficeSim::WriteDoc(src / "b.doc", "doc", "3");
    AddEntry(src / "Alpha", CT_WORD_TO_QOR, 2);
    AddEntry(src / "b.doc", CT_WORD_TO_QOR, 1);
    SetOutput(dlg, out.path());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        sim.ClearJournal();
        ASSERT_TRUE(StartAndWait());
        for (HTREEITEM item : ListItems())
            EXPECT_TRUE(dlg.m_listTree.GetCheck(item));
        EXPECT_EQ(3, dlg.m_progress.GetPos());
        EXPECT_EQ(round == 1, sim.JournalLines().empty());
        EXPECT_TRUE(Enabled(IDC_START));
        EXPECT_FALSE(Enabled(IDC_STOP));
    }
    EXPECT_TRUE(IsDoc(out / "Alpha\\one.qor", "qor", "1"));
    EXPECT_TRUE(IsDoc(out / "Alpha\\two.qot", "qot", "2"));
    EXPECT_TRUE(IsDoc(out / "b.qor", "qor", "3"));
    EXPECT_EQ("", ReadFileBytes(out / "qorconvert.log"));
}

// Stop ends the job after the file in hand: entries not completely done stay unticked, and the
// next Start finishes exactly those.
TEST_F(JobControl, StopLeavesUndoneEntriesForTheNextStart) {
    OfficeSim sim;
    sim.Fault("slow.doc", "delay:save:1500");
    src.MakeDir("A");
    OfficeSim::WriteDoc(src / "A\\slow.doc", "doc", "s");
    OfficeSim::WriteDoc(src / "A\\z.doc", "doc", "z");
    OfficeSim::WriteDoc(src / "c.doc", "doc", "c");
    HTREEITEM folder = AddEntry(src / "A", CT_WORD_TO_QOR, 2);
    HTREEITEM file = AddEntry(src / "c.doc", CT_WORD_TO_QOR, 1);
    SetOutput(dlg, out.path());
    Press(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return Enabled(IDC_STOP); }));
    Press(IDC_STOP);
    EXPECT_FALSE(Enabled(IDC_START)) << "the controls stay in Running until the worker ends";
    ASSERT_TRUE(PumpUntil([&] { return !dlg.IsWorkerRunning() && Enabled(IDC_START); }, 30000));
    EXPECT_FALSE(dlg.m_listTree.GetCheck(folder));
    EXPECT_FALSE(dlg.m_listTree.GetCheck(file));
    EXPECT_FALSE(PathExists(out / "c.qor"));

    sim.Fault("slow.doc", "");
    ASSERT_TRUE(StartAndWait());
    EXPECT_TRUE(dlg.m_listTree.GetCheck(folder) && dlg.m_listTree.GetCheck(file));
    EXPECT_TRUE(IsDoc(out / "A\\z.qor", "qor", "z"));
    EXPECT_TRUE(IsDoc(out / "c.qor", "qor", "c"));
}

// Totals above the 16-bit range still drive the bar; a second Start before the worker has
// announced itself starts nothing.
TEST_F(JobControl, LargeTotalsAndARepeatedStartBeforeTheWorkerAnnouncesItself) {
    OfficeSim sim;
    OfficeSim::WriteDoc(src / "a.doc", "doc", "a");
    AddEntry(src / "a.doc", CT_WORD_TO_QOR, 70000);
    SetOutput(dlg, out.path());
    Press(IDC_START);
    Press(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return !dlg.IsWorkerRunning() && !dlg.m_bJobStarting; }, 30000));
    int low = -1, high = -1;
    dlg.m_progress.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(70000, high);
    EXPECT_EQ(1u, sim.JournalPids().size());
    EXPECT_EQ(1u, [&] {
        size_t saves = 0;
        for (const std::string& call : sim.Calls())
            saves += call.find("\tMETHOD\t376") != std::string::npos;
        return saves;
    }()) << "one job saved the file once";
}

namespace {

DWORD WINAPI SleepForever(LPVOID) {
    Sleep(INFINITE);
    return 0;
}

DWORD WINAPI EndAt42(LPVOID) {
    return 42;
}

} // namespace

// Close's wait gives up after its time-out on a worker that never ends, and reads the exit code of
// one that does.
TEST_F(JobControl, StopThreadWaitsAtMostItsTimeOut) {
    HANDLE hung = CreateThread(nullptr, 0, SleepForever, nullptr, 0, nullptr);
    HANDLE ends = CreateThread(nullptr, 0, EndAt42, nullptr, 0, nullptr);
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), dlg.StopThread(hung, 200));
    EXPECT_EQ(42u, dlg.StopThread(ends, 5000));
    TerminateThread(hung, 0);
    CloseHandle(hung);
    CloseHandle(ends);
}

namespace {

// A message box that nobody answers until the test says so.
HANDLE g_boxShown = nullptr;
HANDLE g_boxAnswered = nullptr;

int UnansweredBox(HWND, const char*, const char*, UINT) {
    SetEvent(g_boxShown);
    WaitForSingleObject(g_boxAnswered, INFINITE);
    return IDCANCEL;
}

} // namespace

// Close gives up on a worker that does not end within its wait: the applications that the job
// started are ended with the program.
TEST_F(JobControl, CloseAfterItsWaitEndsTheApplicationsOfAJobLeftRunning) {
    OfficeSim sim;
    OfficeSim::WriteDoc(src / "b.doc", "doc", "b");
    OfficeSim::WriteDoc(src.WriteFile("Docs\\a.doc"), "doc", "a");
    AddEntry(src / "b.doc", CT_WORD_TO_QOR, 1);
    AddEntry(src / "Docs", CT_WORD_TO_QOR, 1);
    SetOutput(dlg, src.MakeDir("Docs\\Out"));
    const std::vector<DWORD> before = OfficeSim::ServerPids();
    g_boxShown = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_boxAnswered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    MessageBoxHandler recorder = AfxSetMessageBoxHandler(&UnansweredBox);
    Press(IDC_START);
    // b.doc has been converted, so the word processor runs; the worker waits on the question
    // about the sub-folder.
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(g_boxShown, 0) == WAIT_OBJECT_0; }));
    const DWORD wordProcessor = sim.PidOf(OfficeCalls::WordStart()[0]);
    ASSERT_NE(0u, wordProcessor);

    const DWORD start = GetTickCount();
    Press(IDOK);
    EXPECT_GE(GetTickCount() - start, 4900u) << "Close waits for the worker first";
    EXPECT_TRUE(dlg.IsWorkerRunning());
    EXPECT_TRUE(OfficeSim::WaitForExit(wordProcessor, 0)) << "an application outlives Close";
    EXPECT_EQ(std::vector<DWORD>(), OfficeSim::ServerPidsSince(before));

    SetEvent(g_boxAnswered);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWorkerRunning(); }));
    AfxSetMessageBoxHandler(recorder);
    CloseHandle(g_boxShown);
    CloseHandle(g_boxAnswered);
}
