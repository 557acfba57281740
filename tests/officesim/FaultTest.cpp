#include "ServerFixture.h"

#include <thread>

class FaultTest : public ServerFixture {
protected:
    void StartQor() {
        ASSERT_TRUE(m_qor.Create());
        m_qor.Start();
    }
};

TEST_F(FaultTest, EachErrorRuleFailsItsCallWithItsCodeAndDescription) {
    enum Step { OPEN = 0, SAVE = 2, CLOSE = 3 };
    const struct {
        const char* file;
        const char* rule;
        HRESULT hr;  // what the call fails with
        SCODE error; // the application's code, for DISP_E_EXCEPTION
        const char* description;
        Step failing;
        bool saved;
    } cases[] = {
        {"opens.doc", "open-error:800A1066:无法打开: 文件已损坏", DISP_E_EXCEPTION,
         static_cast<SCODE>(0x800A1066), "无法打开: 文件已损坏", OPEN, false},
        {"saves.doc", "delay:save:10;save-error:800A1067:磁盘已满", DISP_E_EXCEPTION,
         static_cast<SCODE>(0x800A1067), "磁盘已满", SAVE, false},
        {"closes.doc", "close-error:80004005:关闭失败", DISP_E_EXCEPTION, E_FAIL, "关闭失败", CLOSE,
         true},
        {"fails.doc", "save-fail:80030070", static_cast<HRESULT>(0x80030070), S_OK, "", SAVE,
         false},
        {"nothing.doc", "save-nothing", S_OK, S_OK, "", CLOSE, false},
        {"typo.doc", "save-eror:1:x", DISP_E_EXCEPTION, E_INVALIDARG, "save-eror", OPEN, false},
    };
    StartQor();
    for (const auto& c : cases) {
        const std::string source = Doc(c.file, "doc", c.file), target = source + ".qor";
        m_sim.Fault(c.file, c.rule);
        HRESULT hr = S_OK;
        try {
            m_qor.Convert(source.c_str(), target.c_str());
        } catch (const COleException& e) {
            hr = e.m_sc;
            if (hr == DISP_E_EXCEPTION) {
                EXPECT_EQ(c.error, e.GetErrorCode()) << c.rule;
                EXPECT_NE(-1, e.GetDescription().Find(c.description)) << c.rule;
            }
        }
        m_qor.m_document.ReleaseDispatch();
        EXPECT_EQ(c.hr, hr) << c.rule;
        EXPECT_EQ(c.saved, IsDoc(target, "qor", c.file)) << c.rule;
        EXPECT_EQ(OfficeCalls::WordConvert(source, target)[c.failing], m_sim.Calls().back())
            << "the failed call is journaled: " << c.rule;
    }

    m_sim.Fault("fails.doc", "");
    m_qor.Convert((m_dir / "fails.doc").c_str(), (m_dir / "fails.doc.qor").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "fails.doc.qor", "qor", "fails.doc"))
        << "rules are read at every call";
}

TEST_F(FaultTest, OpenNothingYieldsAnEmptyReferenceAndNoError) {
    const std::string doc = Doc("empty.doc", "doc", "x");
    const std::string xls = Doc("EMPTY.XLS", "xls", "x");
    m_sim.Fault("EMPTY.doc", "open-nothing");
    m_sim.Fault("empty.xls", "open-nothing");
    StartQor();
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();

    EXPECT_FALSE(m_qor.Open(doc.c_str())) << "the file name is matched without regard to case";
    COleVariant result;
    COleVariant omitted = OleOmittedArgument();
    const VARIANT* o = omitted;
    m_lx.m_workbooks.InvokeHelper(
        682, DISPATCH_METHOD, VT_VARIANT, static_cast<VARIANT*>(result),
        VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
            VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT,
        xls.c_str(), o, o, o, o, o, o, o, o, o, o, o, o);
    EXPECT_EQ(VT_DISPATCH, result.vt) << "no object is an empty object reference";
    EXPECT_EQ(nullptr, result.pdispVal);
}

TEST_F(FaultTest, DelayHoldsTheCallThenProceeds) {
    const std::string doc = Doc("slow.doc", "doc", "慢");
    m_sim.Fault("slow.doc", "delay:open:300;delay:close:200");
    StartQor();
    DWORD start = GetTickCount();
    ASSERT_TRUE(m_qor.Open(doc.c_str()));
    DWORD opened = GetTickCount();
    m_qor.SaveAs((m_dir / "slow.qor").c_str());
    DWORD saved = GetTickCount();
    m_qor.Close();
    DWORD closed = GetTickCount();
    EXPECT_GE(opened - start, 290u);
    EXPECT_GE(closed - saved, 190u);
    EXPECT_TRUE(IsDoc(m_dir / "slow.qor", "qor", "慢"));
}

TEST_F(FaultTest, FailedQuitKeepsTheProcessUntilItsObjectsAreReleased) {
    m_sim.QuitError(true);
    StartQor();
    try {
        m_qor.Quit();
        ADD_FAILURE() << "quit succeeded";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(E_FAIL, e.m_scError);
        EXPECT_FALSE(e.m_strDescription.IsEmpty());
    }
    const std::vector<DWORD> pids = m_sim.JournalPids();
    ASSERT_EQ(1u, pids.size());
    EXPECT_FALSE(OfficeSim::WaitForExit(pids[0], 300)) << "the process stays after a failed quit";
    m_qor.Release();
    EXPECT_TRUE(OfficeSim::WaitForExit(pids[0], 5000)) << "the last release ends it";
}

TEST_F(FaultTest, SaveDieLeavesAPartialTargetAndTheCallFails) {
    const std::string payload(4000, 'x');
    const std::string doc = Doc("dies.doc", "doc", payload);
    const std::string target = m_dir / "dies.qor";
    m_sim.Fault("dies.doc", "save-die");
    StartQor();
    ASSERT_TRUE(m_qor.Open(doc.c_str()));
    const DWORD pid = m_sim.JournalPids().at(0);

    HRESULT hr = ErrorOf([&] { m_qor.SaveAs(target.c_str()); });
    EXPECT_TRUE(hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) ||
                hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE))
        << std::hex << hr;
    EXPECT_TRUE(OfficeSim::WaitForExit(pid, 5000));
    const std::string written = ReadFileBytes(target);
    const std::string whole = "OFFICESIM qor\r\n" + payload;
    EXPECT_FALSE(written.empty());
    EXPECT_LT(written.size(), whole.size());
    EXPECT_EQ(whole.substr(0, written.size()), written) << "the start of the document";
}

TEST_F(FaultTest, AKilledServerFailsTheNextCallAndANewOneStartsAfresh) {
    const std::string doc = Doc("a.doc", "doc", "甲");
    StartQor();
    m_qor.Convert(doc.c_str(), (m_dir / "a.qor").c_str());
    OfficeSim::KillServers();
    EXPECT_TRUE(OfficeSim::ServerPids().empty());
    EXPECT_EQ(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
              ErrorOf([&] { m_qor.Open(doc.c_str()); }));
    m_qor.Release();

    StartQor();
    m_qor.Convert(doc.c_str(), (m_dir / "a.dot").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "a.dot", "dot", "甲"));
    EXPECT_EQ(2u, m_sim.JournalPids().size()) << "a fresh process";
}

TEST_F(FaultTest, RefusedStartFailsTheCreationOfThatApplicationOnly) {
    m_sim.RefuseStart("Qor.Application");
    COleException error;
    EXPECT_FALSE(m_qor.Create(&error));
    EXPECT_TRUE(FAILED(error.m_sc)) << std::hex << error.m_sc;
    EXPECT_EQ(nullptr, m_qor.m_app.m_lpDispatch);
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();
    EXPECT_EQ(Join(OfficeCalls::SheetStart()), Join(m_sim.Calls()))
        << "no word processor was created";
}

TEST_F(FaultTest, BusyRejectsTheNextCallsAfterTheOpenAndJournalsEach) {
    const std::string doc = Doc("busy.doc", "doc", "忙");
    m_sim.Fault("busy.doc", "busy:2");
    StartQor();
    ASSERT_TRUE(m_qor.Open(doc.c_str()));
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_EQ(RPC_E_CALL_REJECTED, ErrorOf([&] { m_qor.MarkUnchanged(); })) << attempt;
    m_qor.MarkUnchanged();
    m_qor.SaveAs((m_dir / "busy.qor").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "busy.qor", "qor", "忙"));
    const std::vector<std::string> calls = m_sim.Calls();
    ASSERT_EQ(8u, calls.size());
    EXPECT_EQ("qor.document\tBUSY\t-", calls[4]);
    EXPECT_EQ("qor.document\tBUSY\t-", calls[5]);
    EXPECT_EQ(OfficeCalls::WordConvert(doc, "")[1], calls[6]) << "the third attempt is carried out";
}

TEST_F(FaultTest, HangNeverAnswersUntilTheProcessIsEnded) {
    const std::string doc = Doc("hangs.doc", "doc", "x");
    m_sim.Fault("hangs.doc", "hang:open");
    StartQor();
    const DWORD pid = m_sim.JournalPids().at(0);
    std::thread killer([pid] {
        Sleep(1000);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        TerminateProcess(process, 1);
        CloseHandle(process);
    });
    const DWORD start = GetTickCount();
    const HRESULT hr = ErrorOf([&] { m_qor.Open(doc.c_str()); });
    const DWORD took = GetTickCount() - start;
    killer.join();
    EXPECT_EQ(HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), hr);
    EXPECT_GE(took, 900u) << "the call returned before the process was ended";
    EXPECT_EQ(OfficeCalls::WordConvert(doc, "")[0], m_sim.Calls().back());
}

TEST_F(FaultTest, WorkGivesEveryOpenAndSaveItsCost) {
    const struct {
        const char* work;
        DWORD atLeastMs; // that open and save each take
        HRESULT openError;
    } cases[] = {
        {"sleep:300", 290, S_OK},
        {"cpu:300;", 290, S_OK},
        {"sleep:3o0", 0, DISP_E_EXCEPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.work);
        const std::string doc = Doc("work.doc", "doc", "工");
        m_sim.Work(c.work);
        StartQor();
        DWORD start = GetTickCount();
        EXPECT_EQ(c.openError, ErrorOf([&] { m_qor.Open(doc.c_str()); }));
        DWORD opened = GetTickCount();
        if (c.openError == S_OK) {
            m_qor.SaveAs((m_dir / "work.qor").c_str());
            EXPECT_GE(opened - start, c.atLeastMs);
            EXPECT_GE(GetTickCount() - opened, c.atLeastMs);
            EXPECT_TRUE(IsDoc(m_dir / "work.qor", "qor", "工"));
        }
        m_qor.Release();
        OfficeSim::KillServers();
        m_sim.ClearJournal();
    }
}

TEST_F(FaultTest, SingleProcessServesEveryCreationAndEndsWithTheLastObject) {
    const struct {
        const char* work;
        size_t processes; // that serve two word processors
    } cases[] = {{"", 2}, {"single-process", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.work);
        m_sim.Work(c.work);
        const std::string doc = Doc("one.doc", "doc", "一");
        QorClient first, second;
        ASSERT_TRUE(first.Create());
        first.Start();
        ASSERT_TRUE(second.Create());
        second.Start();
        const std::vector<DWORD> pids = m_sim.JournalPids();
        EXPECT_EQ(c.processes, pids.size());
        first.Quit();
        first.Release();
        // The first client's quit leaves the other's application working.
        if (c.processes == 1) {
            second.Convert(doc.c_str(), (m_dir / "one.qor").c_str());
            EXPECT_TRUE(IsDoc(m_dir / "one.qor", "qor", "一"));
        }
        second.Quit();
        second.Release();
        for (DWORD pid : pids)
            EXPECT_TRUE(OfficeSim::WaitForExit(pid, 5000)) << "no process is left";
        m_sim.ClearJournal();
    }
}
