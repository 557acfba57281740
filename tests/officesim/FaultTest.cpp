#include "ServerFixture.h"

class FaultTest : public ServerFixture {};

TEST_F(FaultTest, OpenNothingYieldsNoObjectAndNoError) {
    const std::string doc = Doc("empty.doc", "doc", "x");
    const std::string xls = Doc("EMPTY.XLS", "xls", "x");
    m_sim.Fault("EMPTY.doc", "open-nothing");
    m_sim.Fault("empty.xls", "open-nothing");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();

    EXPECT_FALSE(m_qor.Open(doc.c_str())) << "the file name is matched without regard to case";
    EXPECT_FALSE(m_lx.Open(xls.c_str()));
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
    std::vector<std::string> calls = m_sim.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(OfficeCalls::SheetConvert(xls, "")[0], calls.back()) << "the open is journaled";
}

TEST_F(FaultTest, ConfiguredErrorsCarryTheirCodeAndDescription) {
    const std::string opens = Doc("opens.doc", "doc", "1");
    const std::string saves = Doc("saves.doc", "doc", "2");
    const std::string closes = Doc("closes.doc", "doc", "3");
    m_sim.Fault("opens.doc", "open-error:800A1066:无法打开: 文件已损坏");
    m_sim.Fault("saves.doc", "delay:save:10;save-error:800A1067:磁盘已满");
    m_sim.Fault("closes.doc", "close-error:80004005:关闭失败");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();

    struct Case {
        std::string source;
        SCODE code;
        const char* description;
    } cases[] = {{opens, static_cast<SCODE>(0x800A1066), "无法打开: 文件已损坏"},
                 {saves, static_cast<SCODE>(0x800A1067), "磁盘已满"},
                 {closes, static_cast<SCODE>(0x80004005), "关闭失败"}};
    for (const Case& c : cases) {
        try {
            m_qor.Convert(c.source.c_str(), (c.source + ".qor").c_str());
            ADD_FAILURE() << Utf8(c.source) << " converted without error";
        } catch (const COleDispatchException& e) {
            EXPECT_EQ(c.code, e.m_scError) << Utf8(c.source);
            EXPECT_STREQ(c.description, e.m_strDescription) << Utf8(c.source);
        }
        m_qor.m_document.ReleaseDispatch();
    }
    EXPECT_FALSE(PathExists(saves + ".qor"));
    EXPECT_TRUE(IsDoc(closes + ".qor", "qor", "3")) << "the close failed after the save";

    std::vector<std::string> calls = m_sim.Calls();
    ASSERT_EQ(3u + 1 + 3 + 4, calls.size()) << Join(calls);
    EXPECT_EQ(OfficeCalls::WordConvert(opens, opens + ".qor")[0], calls[3]);
    EXPECT_EQ(OfficeCalls::WordConvert(saves, saves + ".qor")[2], calls[6]) << "the failed save";
    EXPECT_EQ(OfficeCalls::WordConvert(closes, closes + ".qor")[3], calls[10])
        << "the failed close";
}

TEST_F(FaultTest, SaveFailReturnsItsHresultAndUnknownRulesFailEveryCall) {
    const std::string xls = Doc("a.xls", "xls", "1");
    const std::string typo = Doc("typo.xls", "xls", "2");
    m_sim.Fault("a.xls", "save-fail:80030070");
    m_sim.Fault("typo.xls", "save-eror:1:x");
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();

    ASSERT_TRUE(m_lx.Open(xls.c_str()));
    EXPECT_EQ(static_cast<HRESULT>(0x80030070),
              ErrorOf([&] { m_lx.SaveAs((m_dir / "a.lx").c_str()); }));
    EXPECT_FALSE(PathExists(m_dir / "a.lx"));
    m_sim.Fault("a.xls", "");
    m_lx.SaveAs((m_dir / "a.lx").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "a.lx", "lx", "1")) << "rules are read at every call";

    try {
        m_lx.Open(typo.c_str());
        ADD_FAILURE() << "a file with an unreadable rule opened";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(E_INVALIDARG, e.m_scError);
        EXPECT_NE(-1, e.m_strDescription.Find("save-eror")) << Utf8(e.m_strDescription.str());
    }
}

TEST_F(FaultTest, DelayHoldsTheCallThenProceeds) {
    const std::string doc = Doc("slow.doc", "doc", "慢");
    m_sim.Fault("slow.doc", "delay:open:300;delay:close:200");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
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

TEST_F(FaultTest, SaveDieLeavesAPartialTargetAndTheCallFails) {
    const std::string payload(4000, 'x');
    const std::string doc = Doc("dies.doc", "doc", payload);
    const std::string target = m_dir / "dies.qor";
    m_sim.Fault("dies.doc", "save-die");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
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
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    m_qor.Convert(doc.c_str(), (m_dir / "a.qor").c_str());
    OfficeSim::KillServers();
    EXPECT_TRUE(OfficeSim::ServerPids().empty());

    try {
        m_qor.Open(doc.c_str());
        ADD_FAILURE() << "a call to a killed server succeeded";
    } catch (const COleException& e) {
        EXPECT_EQ(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), e.m_sc);
    }
    m_qor.Release();

    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    m_qor.Convert(doc.c_str(), (m_dir / "a.dot").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "a.dot", "dot", "甲"));
    EXPECT_EQ(2u, m_sim.JournalPids().size()) << "a fresh process";
    const std::vector<std::string> calls = m_sim.Calls();
    EXPECT_EQ(2, std::count(calls.begin(), calls.end(), OfficeCalls::WordStart()[0]));
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
