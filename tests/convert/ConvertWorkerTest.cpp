#include "EngineFixture.h"

#include "UiPump.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

using namespace journal;

namespace {

using Trace = std::vector<std::string>;

} // namespace

TEST_F(EngineTest, JobReportsEachEntryInOrderAndTicksIt) {
    Doc("Alpha\\a1.doc");
    Doc("Alpha\\a2.doc");
    std::string b = Doc("b.doc");
    Doc("Misc\\m.dot");
    std::string out = dir.MakeDir("Out");
    RunJob({JobEntry(1, dir / "Alpha", CT_WORD_TO_QOR, 2), JobEntry(2, b),
            JobEntry(3, dir / "Misc", CT_WORD_TO_QOR, 1)},
           out);

    Trace expected = {"state 0", "checked? 1", "done 1",     "done 1", "tick 1", "checked? 2",
                      "done 1",  "tick 2",     "checked? 3", "done 1", "tick 3", "state 1"};
    EXPECT_EQ(expected, owner.Trace());
    EXPECT_TRUE(PathExists(out + "\\Alpha\\a1.qor"));
    EXPECT_TRUE(PathExists(out + "\\b.qor"));
    EXPECT_TRUE(PathExists(out + "\\Misc\\m.qot"));
    EXPECT_EQ("", Log(out));
    EXPECT_EQ(OfficeCalls::WordQuit(), sim.Calls().back())
        << "the applications are quit at the end";
}

TEST_F(EngineTest, TickedEntriesAreSkippedWithTheirCountsAndNothingStarts) {
    Doc("Alpha\\a1.doc");
    std::string b = Doc("b.doc"), c = Doc("c.doc");
    owner.Tick(ItemNo(1));
    owner.Tick(ItemNo(2));
    // The user ticks the third entry while the job runs: the worker asks for the list as it is.
    owner.onMessage = [&](const OwnerWindow::Message& m) {
        if (m.msg == UWM_IS_ITEM_CHECKED && m.lParam == 1)
            owner.Tick(ItemNo(3));
    };
    std::string out = dir.MakeDir("Out");
    RunJob({JobEntry(1, dir / "Alpha", CT_WORD_TO_QOR, 5), JobEntry(2, b), JobEntry(3, c)}, out);

    Trace expected = {"state 0", "checked? 1", "done 5", "checked? 2",
                      "done 1",  "checked? 3", "done 1", "state 1"};
    EXPECT_EQ(expected, owner.Trace());
    EXPECT_TRUE(sim.Calls().empty());
    EXPECT_FALSE(PathExists(out + "\\Alpha"));
}

TEST_F(EngineTest, OneJobDrivesEachFileThroughItsOwnApplicationStartingEachOnce) {
    std::string a = Doc("a.doc"), x = Doc("x.xls"), b = Doc("b.dot"), y = Doc("y.xlt");
    std::string out = dir.MakeDir("Out");
    RunJob({JobEntry(1, a), JobEntry(2, x, CT_EXCEL_TO_LX), JobEntry(3, b),
            JobEntry(4, y, CT_EXCEL_TO_LX)},
           out);
    EXPECT_EQ(Join({OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(a, out + "\\a.qor"),
                    OfficeCalls::SheetStart(),
                    OfficeCalls::SheetConvert(x, out + "\\x.lx"),
                    OfficeCalls::WordConvert(b, out + "\\b.qot"),
                    OfficeCalls::SheetConvert(y, out + "\\y.lxt"),
                    {OfficeCalls::WordQuit()}}),
              sim.Calls());
}

TEST_F(EngineTest, OutputInsideAFolderEntryAsksAndOkSkipsOnlyThatEntry) {
    Doc("Docs\\a.doc");
    std::string b = Doc("b.doc");
    std::string out = dir.MakeDir("Docs\\Out");
    RunJob({JobEntry(1, dir / "Docs", CT_WORD_TO_QOR, 1), JobEntry(2, b)}, out);

    Trace expected = {"state 0", "checked? 1", "inside?", "checked? 2",
                      "done 1",  "tick 2",     "state 1"};
    EXPECT_EQ(expected, owner.Trace());
    EXPECT_EQ(0u, boxes.Count()) << "the engine shows no box: its owner asks the user";
}

TEST_F(EngineTest, CancelInTheSubFolderQuestionEndsTheJobNormally) {
    Doc("Docs\\a.doc");
    std::string b = Doc("b.doc"), c = Doc("c.doc");
    owner.skipEntryHoldingOutput = 0;
    // b.doc leaves the word processor running when the question comes: the job's end quits it.
    RunJob({JobEntry(1, b), JobEntry(2, dir / "Docs", CT_WORD_TO_QOR, 1), JobEntry(3, c)},
           dir / "Docs\\");
    Trace expected = {"state 0",    "checked? 1", "done 1", "tick 1",
                      "checked? 2", "inside?",    "state 1"};
    EXPECT_EQ(expected, owner.Trace())
        << "the output typed with a trailing separator is still inside";
    EXPECT_FALSE(owner.IsTicked(ItemNo(3)));
    EXPECT_EQ(OfficeCalls::WordQuit(), sim.Calls().back());
}

TEST_F(EngineTest, FolderEntryEqualToTheOutputFolderConvertsBesideItsSources) {
    std::string a = Doc("Docs\\a.doc");
    std::string b = Doc("Docs\\sub\\b.doc");
    RunJob({JobEntry(1, dir / "Docs", CT_WORD_TO_QOR, 2)}, dir / "DOCS");
    EXPECT_EQ(0u, boxes.Count());
    ASSERT_TRUE(PathExists(dir / "Docs\\qorconvert.log")) << "the log lies in the walked folder";
    std::vector<std::string> opened = OpenedSources(sim.Calls());
    std::sort(opened.begin(), opened.end());
    EXPECT_EQ((std::vector<std::string>{a, b}), opened) << "the log is never taken as a source";
    EXPECT_TRUE(PathExists(dir / "Docs\\a.qor"));
    EXPECT_TRUE(PathExists(dir / "Docs\\sub\\b.qor"));
    EXPECT_FALSE(PathExists(dir / "Docs\\Docs")) << "no mirror inside itself";
}

TEST_F(EngineTest, StopLeavesUndoneEntriesUntickedForTheNextStart) {
    // Entries: folder Alpha (a1, a2), file b.doc, folder Misc (m1). Stop is pressed while the
    // owner handles message number stopAt of the job.
    const struct {
        size_t stopAt;
        Trace trace;
    } cases[] = {
        {1, {"state 0", "state 1"}}, // at the started message: the flag must stay cleared
        {3, {"state 0", "checked? 1", "done 1", "state 1"}}, // inside Alpha's walk
        {7,
         {"state 0", "checked? 1", "done 1", "done 1", "tick 1", "checked? 2", "done 1", "tick 2",
          "state 1"}}, // while b.doc, the file in hand, is converted
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopAt);
        TempDir work;
        for (const char* name : {"Alpha\\a1.doc", "Alpha\\a2.doc", "b.doc", "Misc\\m1.doc"})
            OfficeSim::WriteDoc(work.WriteFile(name), "doc", "正文");
        std::string out = work.MakeDir("Out");
        std::vector<ConvertItem> items = {JobEntry(1, work / "Alpha", CT_WORD_TO_QOR, 2),
                                          JobEntry(2, work / "b.doc"),
                                          JobEntry(3, work / "Misc", CT_WORD_TO_QOR, 1)};
        OwnerWindow dialog; // one list for both Starts
        dialog.onMessage = [&](const OwnerWindow::Message&) {
            if (dialog.Messages().size() == c.stopAt)
                CConverter::StopInSlot(&slot);
        };
        RunJob(items, out, dialog);
        EXPECT_EQ(c.trace, dialog.Trace());
        EXPECT_EQ(dialog.IsTicked(ItemNo(2)), PathExists(out + "\\b.qor"));
        EXPECT_FALSE(PathExists(out + "\\Misc")) << "nothing after the stop";

        // A second Start, with a new converter, converts exactly what was not ticked.
        std::vector<std::string> left;
        if (!dialog.IsTicked(ItemNo(1)))
            AppendWalkOrder(work / "Alpha", left);
        if (!dialog.IsTicked(ItemNo(2)))
            left.push_back(work / "b.doc");
        left.push_back(work / "Misc\\m1.doc");
        sim.ClearJournal();
        RunJob(items, out, dialog);
        EXPECT_EQ(left, OpenedSources(sim.Calls()));
        for (int n : {1, 2, 3})
            EXPECT_TRUE(dialog.IsTicked(ItemNo(n))) << n;
    }
}

TEST_F(EngineTest, MissingOrForeignFileEntriesAreSkippedSilentlyAndStayUnticked) {
    std::string gone = dir / "gone.doc";
    std::string text = dir.WriteFile("notes.txt");
    std::string out = dir.MakeDir("Out");
    RunJob({JobEntry(1, gone), JobEntry(2, text), JobEntry(3, Doc("x.xls"), CT_WORD_TO_QOR)}, out);
    Trace expected = {"state 0", "checked? 1", "checked? 2", "checked? 3", "state 1"};
    EXPECT_EQ(expected, owner.Trace());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(EngineTest, FileEntryInsideTheOutputFolderIsConvertedBesideIt) {
    std::string a = Doc("Out\\a.doc");
    RunJob({JobEntry(1, a)}, dir / "Out");
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(PathExists(dir / "Out\\a.qor"));
}

// Entries of one name from different folders meet at one target: the first result stays, each
// later source is logged instead of overwriting it.
TEST_F(EngineTest, NoResultOverwritesAnotherOfTheSameJob) {
    std::string a = Doc("A\\x.doc", "甲"), b = Doc("B\\x.doc", "乙");
    Doc("A\\Docs\\d.doc", "甲丁");
    std::string bd = Doc("B\\Docs\\d.doc", "乙丁");
    std::string out = dir.MakeDir("Out");
    RunJob({JobEntry(1, a), JobEntry(2, b), JobEntry(3, dir / "A\\Docs"),
            JobEntry(4, dir / "B\\Docs")},
           out);
    EXPECT_TRUE(IsDoc(out + "\\x.qor", "qor", "甲"));
    EXPECT_TRUE(IsDoc(out + "\\Docs\\d.qor", "qor", "甲丁"));
    EXPECT_EQ(LogLine(b) + LogLine(bd), Log(out));
    EXPECT_EQ((std::vector<std::string>{b, bd}), owner.Failed());
}

TEST(ConvertJobRecord, OutputFolderThatDoesNotFitIsRefusedNotCut) {
    ConvertJob job;
    EXPECT_TRUE(job.SetOutputDir(std::string(259, 'x').c_str()));
    EXPECT_EQ(259u, strlen(job.szOutputDir));
    EXPECT_FALSE(job.SetOutputDir(std::string(260, 'y').c_str()));
    EXPECT_EQ('x', job.szOutputDir[0]) << "a refused text leaves the record as it was";
}

TEST(ConvertWorkerThread, AJobThatCannotRunSendsNothing) {
    OwnerWindow owner; // top-level: it would see a message sent or broadcast by the worker
    CConverter* empty = nullptr;
    auto* orphan = new ConvertJob; // no converter in its slot
    orphan->events = owner.Events();
    orphan->items.push_back({ItemNo(1), "C:\\x.doc", 1, CT_WORD_TO_QOR});
    orphan->ppConverter = &empty;
    for (ConvertJob* job : {static_cast<ConvertJob*>(nullptr), orphan}) {
        CHandle done = StartConvertThread(job);
        ASSERT_TRUE(done);
        EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(done.Get(), 0) == WAIT_OBJECT_0; }));
        DWORD code = 1;
        GetExitCodeThread(done.Get(), &code);
        EXPECT_EQ(0u, code);
        PumpMessages(50);
        EXPECT_TRUE(owner.Messages().empty()) << (job ? "a job without converter" : "no job");
    }
}

TEST(ConvertWorkerThread, ComIsInitialisedForTheJobAndUninitialisedAfter) {
    std::atomic<int> apartmentDuring{-1};
    std::atomic<HRESULT> initAfter{E_FAIL};
    std::thread worker([&] {
        OwnerWindow owner;
        owner.onMessage = [&](const OwnerWindow::Message& m) {
            APTTYPE type;
            APTTYPEQUALIFIER qualifier;
            if (m.msg == UWM_IS_ITEM_CHECKED && SUCCEEDED(CoGetApartmentType(&type, &qualifier)))
                apartmentDuring = type;
        };
        owner.Tick(ItemNo(1));
        CConverter* slot = new CConverter;
        auto* job = new ConvertJob;
        job->events = owner.Events();
        job->items.push_back({ItemNo(1), "C:\\x.doc", 1, CT_WORD_TO_QOR});
        job->ppConverter = &slot;
        ConvertThreadProc(job);
        initAfter = CoInitialize(nullptr);
        CoUninitialize();
    });
    worker.join();
    // The first single-threaded apartment of a process is reported as its main one.
    EXPECT_TRUE(apartmentDuring == APTTYPE_STA || apartmentDuring == APTTYPE_MAINSTA)
        << apartmentDuring;
    EXPECT_EQ(S_OK, initAfter.load()) << "the job's own initialisation was undone";
}

namespace {

// Keeps the memory of destroyed converters so that a late write to one can be seen.
class TrackedConverter : public CConverter {
public:
    static constexpr int kDead = 0x0DEAD;
    ~TrackedConverter() override { m_bRunning = kDead; }
    static void* operator new(size_t size) { return ::operator new(size); }
    static void operator delete(void* p) {
        std::lock_guard<std::mutex> hold(s_lock);
        s_graveyard.push_back(static_cast<TrackedConverter*>(p));
    }
    static std::mutex s_lock;
    static std::vector<TrackedConverter*> s_graveyard;
};
std::mutex TrackedConverter::s_lock;
std::vector<TrackedConverter*> TrackedConverter::s_graveyard;

} // namespace

TEST(ConvertWorkerThread, StopNeverReachesAConverterThatTheWorkerDestroys) {
    OwnerWindow owner;
    CConverter* slot = nullptr;
    // Stop pressed without pause by more threads than there are processors: one of them is
    // always descheduled, often between its read of the slot and its write of the flag, while
    // the worker clears the slot and destroys the converter.
    std::atomic<bool> over{false};
    std::vector<std::thread> stoppers;
    for (unsigned i = 0; i <= std::max(2u, std::thread::hardware_concurrency()); ++i)
        stoppers.emplace_back([&] {
            while (!over)
                CConverter::StopInSlot(&slot);
        });
    const int jobs = 150;
    for (int i = 0; i < jobs; ++i) {
        auto* converter = new TrackedConverter;
        CConverter::StoreInSlot(&slot, converter);
        auto* job = new ConvertJob;
        job->events = owner.Events();
        job->items.push_back({ItemNo(1), "C:\\no-such-file.doc", 1, CT_WORD_TO_QOR});
        job->ppConverter = &slot;
        CHandle done = StartConvertThread(job);
        if (!done) {
            ADD_FAILURE() << "no worker thread";
            break;
        }
        PumpUntil([&] { return WaitForSingleObject(done.Get(), 0) == WAIT_OBJECT_0; });
    }
    over = true;
    for (std::thread& stopper : stoppers)
        stopper.join();
    std::lock_guard<std::mutex> hold(TrackedConverter::s_lock);
    ASSERT_EQ(static_cast<size_t>(jobs), TrackedConverter::s_graveyard.size());
    for (TrackedConverter* dead : TrackedConverter::s_graveyard) {
        EXPECT_EQ(TrackedConverter::kDead, dead->m_bRunning.load())
            << "written after it was destroyed";
        ::operator delete(dead);
    }
    TrackedConverter::s_graveyard.clear();
}
