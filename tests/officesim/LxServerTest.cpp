#include "ServerFixture.h"

#define VTS_VARIANT_4 VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT

class LxServerTest : public ServerFixture {};

TEST_F(LxServerTest, ConvertsBothWaysWithTheConvertersCallsAndEndsWhenReleased) {
    const std::string xls = Doc("预算.xls", "xls", "甲\t乙\r\n1\t2");
    const std::string lx = Doc("名单.lx", "lx", "张三,李四");
    const std::string template_ = Doc("模板.xlt", "xlt", "表头");
    const std::string lxTarget = m_dir / "预算.lx";
    const std::string xlsTarget = m_dir / "名单.xls";
    const std::string lxtTarget = m_dir / "模板.lxt";

    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();
    m_lx.Convert(xls.c_str(), lxTarget.c_str());
    m_lx.Convert(lx.c_str(), xlsTarget.c_str());
    m_lx.Convert(template_.c_str(), lxtTarget.c_str());

    std::vector<std::string> expected = OfficeCalls::SheetStart();
    for (const auto& step :
         {OfficeCalls::SheetConvert(xls, lxTarget), OfficeCalls::SheetConvert(lx, xlsTarget),
          OfficeCalls::SheetConvert(template_, lxtTarget)})
        expected.insert(expected.end(), step.begin(), step.end());
    EXPECT_EQ(Join(expected), Join(m_sim.Calls()));
    EXPECT_TRUE(IsDoc(lxTarget, "lx", "甲\t乙\r\n1\t2"));
    EXPECT_TRUE(IsDoc(xlsTarget, "xls", "张三,李四"));
    EXPECT_TRUE(IsDoc(lxtTarget, "lxt", "表头"));

    const std::vector<DWORD> pids = m_sim.JournalPids();
    ASSERT_EQ(1u, pids.size());
    m_lx.m_server.ReleaseDispatch();
    EXPECT_FALSE(OfficeSim::WaitForExit(pids[0], 300)) << "the workbooks are still held";
    m_lx.Release();
    EXPECT_TRUE(OfficeSim::WaitForExit(pids[0], 5000)) << "the last release ends the spreadsheet";
}

TEST_F(LxServerTest, WrongCallsFailLoudlyAndAreJournaled) {
    const std::string xls = Doc("a.xls", "xls", "表");
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();
    COleVariant path(xls.c_str());
    COleVariant omitted = OleOmittedArgument();
    const VARIANT* o = omitted;
    LPDISPATCH unused = nullptr;

    EXPECT_EQ(DISP_E_TYPEMISMATCH, ErrorOf([&] {
                  m_lx.m_workbooks.InvokeHelper(
                      682, DISPATCH_METHOD, VT_DISPATCH, &unused,
                      VTS_PVARIANT VTS_VARIANT_4 VTS_VARIANT_4 VTS_VARIANT_4,
                      static_cast<VARIANT*>(path), o, o, o, o, o, o, o, o, o, o, o, o);
              }))
        << "the path by reference";
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, ErrorOf([&] {
                  m_lx.m_workbooks.InvokeHelper(682, DISPATCH_METHOD, VT_DISPATCH, &unused,
                                                VTS_BSTR, xls.c_str());
              }));
    ASSERT_TRUE(m_lx.Open(xls.c_str()));
    EXPECT_EQ(E_INVALIDARG, ErrorOf([&] {
                  m_lx.m_workbook.InvokeHelper(
                      284, DISPATCH_METHOD, VT_EMPTY, nullptr,
                      VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I4 VTS_VARIANT_4,
                      (m_dir / "a.lx").c_str(), o, o, o, o, o, 1L, o, o, o, o);
              }))
        << "I4 1 where I4 0 belongs";
    EXPECT_EQ(DISP_E_TYPEMISMATCH, ErrorOf([&] {
                  m_lx.m_workbook.InvokeHelper(
                      284, DISPATCH_METHOD, VT_EMPTY, nullptr,
                      VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I2 VTS_VARIANT_4,
                      (m_dir / "a.lx").c_str(), o, o, o, o, o, 0, o, o, o, o);
              }))
        << "I2 0 where I4 0 belongs";
    EXPECT_EQ(DISP_E_TYPEMISMATCH, ErrorOf([&] {
                  m_lx.m_workbook.InvokeHelper(277, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                               VTS_I2 VTS_I2 VTS_BOOL, 0, 0, FALSE);
              }));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, RawInvoke(m_lx.m_app, 1695, DISPATCH_PROPERTYPUT,
                                             {COleVariant(static_cast<short>(0), VT_BOOL)}));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              ErrorOf([&] { m_lx.m_server.GetProperty(2, VT_DISPATCH, &unused); }));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              ErrorOf([&] { m_lx.m_app.GetProperty(1695, VT_BOOL, &unused); }));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, ErrorOf([&] { m_lx.m_server.SetProperty(1, VT_BOOL, FALSE); }))
        << "property 1 is read, never written";

    const std::vector<std::string> calls = m_sim.Calls();
    ASSERT_EQ(14u, calls.size()) << Join(calls);
    std::vector<std::string> byReference = OfficeCalls::SheetOpenArgs(xls);
    byReference[0] = "REF:" + byReference[0];
    EXPECT_EQ(OfficeCalls::Entry("lx.workbooks", "METHOD", "682", byReference), calls[4]);
    EXPECT_EQ("lx.workbooks\tMETHOD\t682\tBSTR:" + xls, calls[5]);
    EXPECT_EQ("lx.workbook\tMETHOD\t277\tI2:0\tI2:0\tBOOL:0", calls[9]);
    EXPECT_EQ("lx.app\tPUT\t1695\tBOOL:0", calls[10]);
    EXPECT_EQ("lx.server\tPUT\t1\tBOOL:0", calls[13]);

    m_lx.SaveAs((m_dir / "a.lx").c_str());
    m_lx.Close();
    EXPECT_TRUE(IsDoc(m_dir / "a.lx", "lx", "表"))
        << "the workbook still works after refused calls";
}

TEST_F(LxServerTest, FileProblemsAreErrorsOfTheApplication) {
    const std::string xls = Doc("a.xls", "xls", "表");
    const std::string document = Doc("letter.xls", "doc", "信");
    ASSERT_TRUE(m_lx.Create());
    m_lx.Start();

    try {
        m_lx.Open((m_dir / "缺.xls").c_str());
        ADD_FAILURE() << "opening a missing file succeeded";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), e.m_scError);
        EXPECT_STREQ("LX", e.m_strSource);
    }
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_lx.Open(document.c_str()); }));
    ASSERT_TRUE(m_lx.Open(xls.c_str()));
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_lx.SaveAs((m_dir / "a.doc").c_str()); }))
        << "a document format is not the spreadsheet's";
    EXPECT_FALSE(PathExists(m_dir / "a.doc"));
}
