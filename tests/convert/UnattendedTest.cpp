// Jobs that run unattended against applications that hang or stay busy, with the short call
// limits of the test build (ShortCallLimits.cpp): a call may take 10 s, a stop grants 1 s, busy
// calls are retried every 100 ms for 1.5 s.
#include "EngineFixture.h"

#include "UiPump.h"

#include <atomic>
#include <thread>

using namespace journal;

namespace {

using Trace = std::vector<std::string>;

constexpr DWORD kCallLimitMs = 10000;
constexpr DWORD kStopGraceMs = 1000;
constexpr DWORD kRetryTimeMs = 1500;

std::string Busy(const std::string& object) {
    return object + "\tBUSY\t-";
}

// Calls action on a thread of its own as soon as the journal holds call.
class WhenJournaled {
public:
    WhenJournaled(const OfficeSim& sim, const std::string& call, std::function<void()> action)
        : m_thread([&sim, call, action, this] {
              while (!m_over && sim.PidOf(call) == 0)
                  Sleep(20);
              if (!m_over) {
                  m_at = GetTickCount();
                  action();
              }
          }) {}
    ~WhenJournaled() {
        m_over = true;
        m_thread.join();
    }
    // When the action ran.
    DWORD At() const { return m_at; }

private:
    std::atomic<bool> m_over{false};
    std::atomic<DWORD> m_at{0};
    std::thread m_thread;
};

} // namespace

TEST_F(EngineTest, HungOpenIsEndedLoggedAndTheNextFileGetsAFreshApplication) {
    std::string a = Doc("a.doc", "甲"), b = Doc("b.doc", "乙");
    sim.Fault("a.doc", "hang:open");
    std::string out = dir.MakeDir("Out");
    const DWORD start = GetTickCount();
    RunJob({JobEntry(1, a), JobEntry(2, b)}, out);
    EXPECT_GE(GetTickCount() - start, kCallLimitMs) << "a hang is ended at the limit, not before";

    const std::string openA = OfficeCalls::WordConvert(a, out + "\\a.qor")[0];
    EXPECT_EQ(Join({OfficeCalls::WordStart(),
                    {openA},
                    OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(b, out + "\\b.qor"),
                    {OfficeCalls::WordQuit()}}),
              sim.Calls())
        << "the quit after the hang fails on the ended process and never reaches a server";
    Trace expected = {"state 0",    "checked? 1", "failed", "tick 1",
                      "checked? 2", "done 1",     "tick 2", "state 1"};
    EXPECT_EQ(expected, owner.Trace());
    EXPECT_EQ(LogLine(a), Log(out));
    EXPECT_TRUE(IsDoc(out + "\\b.qor", "qor", "乙"));
    const DWORD hung = sim.PidOf(openA);
    EXPECT_TRUE(OfficeSim::WaitForExit(hung, 0)) << "the process that hung is gone";
    EXPECT_NE(hung, sim.PidOf(OfficeCalls::WordConvert(b, out + "\\b.qor")[0]));
}

TEST_F(EngineTest, BusyApplicationIsRetriedUntilItAnswersOrTheRetryTimeIsOver) {
    const struct {
        const char* rule;
        bool converted;
    } cases[] = {{"busy:3", true}, {"busy:100000", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        sim.ClearJournal();
        TempDir work;
        std::string a = work.WriteFile("a.doc");
        OfficeSim::WriteDoc(a, "doc", "甲");
        std::string out = work.MakeDir("Out");
        sim.Fault("a.doc", c.rule);
        OwnerWindow dialog;
        const DWORD start = GetTickCount();
        RunJob({JobEntry(1, a)}, out, dialog);
        const DWORD took = GetTickCount() - start;

        std::vector<std::string> convert = OfficeCalls::WordConvert(a, out + "\\a.qor");
        std::vector<std::string> calls = sim.Calls();
        if (c.converted) {
            EXPECT_EQ(Join({OfficeCalls::WordStart(),
                            First(convert, 1),
                            {Busy("qor.document"), Busy("qor.document"), Busy("qor.document")},
                            {convert.begin() + 1, convert.end()},
                            {OfficeCalls::WordQuit()}}),
                      calls);
            EXPECT_EQ("", Log(out));
            EXPECT_TRUE(IsDoc(out + "\\a.qor", "qor", "甲"));
        } else {
            // The document's first call and then the quit are each retried for the retry time.
            EXPECT_GE(took, 2 * kRetryTimeMs);
            EXPECT_LT(took, kCallLimitMs) << "a busy application is no hang";
            ASSERT_GE(calls.size(), 6u);
            EXPECT_EQ(Busy("qor.document"), calls[4]) << "the call after the open is rejected";
            EXPECT_EQ(Busy("qor.app"), calls.back());
            EXPECT_EQ(LogLine(a), Log(out));
            EXPECT_FALSE(PathExists(out + "\\a.qor"));
        }
        EXPECT_EQ(Trace({"state 0", "checked? 1", c.converted ? "done 1" : "failed", "tick 1",
                         "state 1"}),
                  dialog.Trace());
    }
}

TEST_F(EngineTest, StopWhileACallHangsEndsTheJobWithinTheGraceTime) {
    std::string x = Doc("x.xls", "表"), b = Doc("b.doc");
    sim.Fault("x.xls", "hang:save");
    std::string out = dir.MakeDir("Out");
    const std::string saveX = OfficeCalls::SheetConvert(x, out + "\\x.lx")[1];
    WhenJournaled stop(sim, saveX, [&] { CConverter::StopInSlot(&slot); });
    RunJob({JobEntry(1, x, CT_EXCEL_TO_LX), JobEntry(2, b)}, out);
    const DWORD took = GetTickCount() - stop.At();

    ASSERT_NE(0u, stop.At());
    EXPECT_GE(took, kStopGraceMs - 100) << "the call gets its grace time";
    EXPECT_LT(took, kStopGraceMs + 4000) << "and then the job ends, long before the call limit";
    EXPECT_EQ(Trace({"state 0", "checked? 1", "state 1"}), owner.Trace())
        << "the file that was cut short and the entry after it stay undone";
    EXPECT_EQ("", Log(out)) << "a file cut short by Stop has not failed";
    EXPECT_TRUE(OfficeSim::WaitForExit(sim.PidOf(saveX), 0));
}

TEST_F(EngineTest, AbandonedSlotIsNeverWrittenAgainAndItsApplicationsEndAtOnce) {
    std::string a = Doc("a.doc");
    sim.Fault("a.doc", "hang:open");
    std::string out = dir.MakeDir("Out");
    auto* converter = new CConverter;
    CConverter::StoreInSlot(&slot, converter);
    auto* job = new ConvertJob;
    job->events = owner.Events();
    job->items = {JobEntry(1, a)};
    ASSERT_TRUE(job->SetOutputDir(out.c_str()));
    job->ppConverter = &slot;
    CHandle done = StartConvertThread(job);
    ASSERT_TRUE(done);
    const std::string openA = OfficeCalls::WordConvert(a, out + "\\a.qor")[0];
    ASSERT_TRUE(PumpUntil([&] { return sim.PidOf(openA) != 0; }));

    // The window that owns the slot goes away while the job hangs: the memory of the slot may
    // hold anything afterwards.
    CConverter::AbandonSlot(&slot);
    EXPECT_EQ(nullptr, slot);
    EXPECT_TRUE(OfficeSim::WaitForExit(sim.PidOf(openA), kStopGraceMs));
    auto* const reused = reinterpret_cast<CConverter*>(&out);
    slot = reused;
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(done.Get(), 0) == WAIT_OBJECT_0; }));
    EXPECT_EQ(reused, slot) << "the worker wrote into an abandoned slot";
    slot = nullptr;
}
