#include "ServerFixture.h"

#define VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT

class QorServerTest : public ServerFixture {};

TEST_F(QorServerTest, ConvertsBothWaysWithTheConvertersCallsAndQuitEndsTheProcess) {
    const std::string doc = Doc("report.doc", "doc", "第一段\r\n第二段");
    const std::string qor = Doc("memo.qor", "qor", "备忘录");
    const std::string qorTarget = m_dir / "report.qor";
    const std::string docTarget = m_dir / "memo.doc";

    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    m_qor.Convert(doc.c_str(), qorTarget.c_str());
    m_qor.Convert(qor.c_str(), docTarget.c_str());
    const std::vector<DWORD> running = OfficeSim::ServerPids();
    m_qor.Quit();

    std::vector<std::string> expected = OfficeCalls::WordStart();
    for (const auto& step :
         {OfficeCalls::WordConvert(doc, qorTarget), OfficeCalls::WordConvert(qor, docTarget)})
        expected.insert(expected.end(), step.begin(), step.end());
    expected.push_back(OfficeCalls::WordQuit());
    EXPECT_EQ(Join(expected), Join(m_sim.Calls()));
    EXPECT_TRUE(IsDoc(qorTarget, "qor", "第一段\r\n第二段"));
    EXPECT_TRUE(IsDoc(docTarget, "doc", "备忘录"));

    const std::vector<DWORD> pids = m_sim.JournalPids();
    ASSERT_EQ(1u, pids.size()) << "one server process made every call";
    EXPECT_EQ(std::vector<DWORD>{pids[0]}, running);
    EXPECT_TRUE(OfficeSim::WaitForExit(pids[0], 5000)) << "quit ends the word processor";
}

TEST_F(QorServerTest, RoundTripKeepsThePayloadByteForByteUnderChineseNames) {
    std::string payload = "OFFICESIM doc\r\n";
    for (int byte = 0; byte < 256; ++byte)
        payload += static_cast<char>(byte);
    payload += "\r\n乗嘰癆癋\r\n";
    const std::string folder = m_dir.MakeDir("文档乗");
    const std::string source = folder + "\\嘰报告.doc";
    OfficeSim::WriteDoc(source, "doc", payload);
    const std::string original = ReadFileBytes(source);
    const std::string middle = folder + "\\嘰报告.qor";
    const std::string back = m_dir / "乗.doc";
    const std::string plain = m_dir.WriteFile("无标题.dot", "只有正文");

    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    m_qor.Convert(source.c_str(), middle.c_str());
    m_qor.Convert(middle.c_str(), back.c_str());
    OfficeSim::WriteDoc(back, "doc", std::string(4000, 'z'));
    m_qor.Convert(middle.c_str(), back.c_str());
    m_qor.Convert(plain.c_str(), (m_dir / "无标题.qot").c_str());

    EXPECT_TRUE(IsDoc(middle, "qor", payload));
    EXPECT_EQ(original, ReadFileBytes(back)) << "doc -> qor -> doc, saved over a longer older file";
    EXPECT_TRUE(IsDoc(m_dir / "无标题.qot", "qot", "只有正文"))
        << "a file without header is all payload";
    const std::vector<std::string> calls = m_sim.Calls();
    ASSERT_GE(calls.size(), 7u);
    EXPECT_EQ(OfficeCalls::WordConvert(source, middle)[0], calls[3]) << "the path in code page 936";
}

TEST_F(QorServerTest, WrongCallsFailLoudlyAndAreJournaled) {
    const std::string doc = Doc("a.doc", "doc", "正文");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
    COleVariant path(doc.c_str()), one(static_cast<short>(1)), two(static_cast<short>(2));
    COleVariant omitted = OleOmittedArgument();
    VARIANT* o = omitted;
    LPDISPATCH unused = nullptr;
    m_sim.ClearJournal();

    EXPECT_EQ(DISP_E_BADPARAMCOUNT, ErrorOf([&] {
                  m_qor.m_documents.InvokeHelper(
                      18, DISPATCH_METHOD, VT_DISPATCH, &unused,
                      VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT,
                      static_cast<VARIANT*>(path), o, static_cast<VARIANT*>(one), o, o, o, o, o, o,
                      o, o, o, o, o);
              }))
        << "14 arguments instead of 15";
    EXPECT_EQ(
        DISP_E_TYPEMISMATCH, ErrorOf([&] {
            m_qor.m_documents.InvokeHelper(
                18, DISPATCH_METHOD, VT_DISPATCH, &unused,
                VTS_BSTR VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT,
                doc.c_str(), o, static_cast<VARIANT*>(one), o, o, o, o, o, o, o, o, o, o, o, o);
        }))
        << "the path by value";
    EXPECT_EQ(
        DISP_E_TYPEMISMATCH, ErrorOf([&] {
            m_qor.m_documents.InvokeHelper(
                18, DISPATCH_METHOD, VT_DISPATCH, &unused,
                VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
                static_cast<VARIANT*>(one), o, static_cast<VARIANT*>(one), o, o, o, o, o, o, o, o,
                o, o, o, o);
        }))
        << "a number where the path belongs";
    EXPECT_EQ(
        E_INVALIDARG, ErrorOf([&] {
            m_qor.m_documents.InvokeHelper(
                18, DISPATCH_METHOD, VT_DISPATCH, &unused,
                VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
                static_cast<VARIANT*>(path), o, static_cast<VARIANT*>(two), o, o, o, o, o, o, o, o,
                o, o, o, o);
        }))
        << "I2 2 where I2 1 belongs";
    EXPECT_EQ(DISP_E_TYPEMISMATCH, RawInvoke(m_qor.m_app, 23, DISPATCH_PROPERTYPUT,
                                             {COleVariant(static_cast<short>(0), VT_BOOL)}))
        << "a put without its named argument";
    EXPECT_EQ(E_INVALIDARG, ErrorOf([&] { m_qor.m_app.SetProperty(23, VT_BOOL, TRUE); }));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              ErrorOf([&] { m_qor.m_app.GetProperty(23, VT_BOOL, &unused); }))
        << "property 23 is written, never read";
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              ErrorOf([&] { m_qor.m_app.GetProperty(7, VT_DISPATCH, &unused); }));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, ErrorOf([&] {
                  m_qor.m_documents.InvokeHelper(19, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
              }));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, ErrorOf([&] {
                  m_qor.m_app.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_PVARIANT,
                                           static_cast<VARIANT*>(omitted));
              }))
        << "quit with one argument";

    const std::vector<std::string> open = OfficeCalls::WordOpenArgs(doc);
    const std::vector<std::string> shortOpen(open.begin(), open.end() - 1);
    std::vector<std::string> byValue = open;
    std::vector<std::string> number = open;
    std::vector<std::string> wrongValue = open;
    byValue[0] = "BSTR:" + doc;
    number[0] = "REF:I2:1";
    wrongValue[2] = "REF:I2:2";
    const std::vector<std::string> expected = {
        OfficeCalls::Entry("qor.documents", "METHOD", "18", shortOpen),
        OfficeCalls::Entry("qor.documents", "METHOD", "18", byValue),
        OfficeCalls::Entry("qor.documents", "METHOD", "18", number),
        OfficeCalls::Entry("qor.documents", "METHOD", "18", wrongValue),
        "qor.app\tPUT\t23\tBOOL:0",
        "qor.app\tPUT\t23\tBOOL:1",
        "qor.app\tGET\t23",
        "qor.app\tGET\t7",
        "qor.documents\tMETHOD\t19",
        "qor.app\tMETHOD\t1105\tREF:ERROR:80020004"};
    EXPECT_EQ(Join(expected), Join(m_sim.Calls())) << "each refused call is journaled";

    m_qor.Convert(doc.c_str(), (m_dir / "a.qor").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "a.qor", "qor", "正文"))
        << "the server still works after refusing calls";
}

TEST_F(QorServerTest, FileProblemsAreErrorsOfTheApplication) {
    const std::string doc = Doc("a.doc", "doc", "正文");
    const std::string sheet = Doc("sheet.doc", "xls", "表格");
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();

    const std::string missing = m_dir / "不存在.doc";
    try {
        m_qor.Open(missing.c_str());
        ADD_FAILURE() << "opening a missing file succeeded";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), e.m_scError);
        EXPECT_NE(-1, e.m_strDescription.Find(missing.c_str())) << Utf8(e.m_strDescription.str());
        EXPECT_STREQ("Qor", e.m_strSource);
    }
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.Open(sheet.c_str()); }))
        << "a spreadsheet file is not a document";

    ASSERT_TRUE(m_qor.Open(doc.c_str()));
    for (const char* target : {"a.txt", "a", "a.xls"}) {
        EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.SaveAs((m_dir / target).c_str()); }))
            << target;
        EXPECT_FALSE(PathExists(m_dir / target)) << target;
    }
    EXPECT_EQ(DISP_E_EXCEPTION,
              ErrorOf([&] { m_qor.SaveAs((m_dir / "无此目录\\a.qor").c_str()); }));
    m_qor.SaveAs((m_dir / "A.QOT").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "A.QOT", "qot", "正文"))
        << "the extension is read without regard to case";

    m_qor.Close();
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.SaveAs((m_dir / "b.qor").c_str()); }))
        << "a closed document cannot be saved";
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.Close(); }));
}

TEST_F(QorServerTest, FailedQuitKeepsTheProcessUntilItsObjectsAreReleased) {
    m_sim.QuitError(true);
    ASSERT_TRUE(m_qor.Create());
    m_qor.Start();
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
