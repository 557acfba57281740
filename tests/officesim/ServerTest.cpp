#include "ServerFixture.h"

// The servers' own rules; the converter's call sequences are checked through the bridge.

#define VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
#define VTS_VARIANT_4 VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT

class ServerTest : public ServerFixture {
protected:
    void StartBoth() {
        ASSERT_TRUE(m_qor.Create());
        m_qor.Start();
        ASSERT_TRUE(m_lx.Create());
        m_lx.Start();
    }
};

TEST_F(ServerTest, WrongCallsAreRefusedWithTheirHresultJournaledAndHarmless) {
    const std::string doc = Doc("a.doc", "doc", "正文");
    const std::string xls = Doc("a.xls", "xls", "表");
    const std::string lxTarget = m_dir / "a.lx";
    StartBoth();
    ASSERT_TRUE(m_lx.Open(xls.c_str()));
    COleVariant path(doc.c_str()), xlsPath(xls.c_str()), one(static_cast<short>(1)),
        two(static_cast<short>(2)), omitted = OleOmittedArgument();
    VARIANT* o = omitted;
    LPDISPATCH unused = nullptr;
    // The word processor's open (W4) with its first and third argument as given.
    auto qorOpen = [&](const char* types, VARIANT* first, VARIANT* third) {
        m_qor.m_documents.InvokeHelper(18, DISPATCH_METHOD, VT_DISPATCH, &unused, types, first, o,
                                       third, o, o, o, o, o, o, o, o, o, o, o, o);
    };
    const char* open15 =
        VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    auto raw = [](HRESULT hr) {
        if (FAILED(hr))
            throw COleException(hr);
    };
    const COleVariant bFalse(static_cast<short>(0), VT_BOOL);
    const struct {
        const char* what;
        HRESULT expected;
        std::function<void()> call;
    } cases[] = {
        {"open with 14 arguments instead of 15", DISP_E_BADPARAMCOUNT,
         [&] {
             qorOpen(VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT, path,
                     one);
         }},
        {"a number where the path belongs", DISP_E_TYPEMISMATCH,
         [&] { qorOpen(open15, one, one); }},
        {"I2 2 where I2 1 belongs", E_INVALIDARG, [&] { qorOpen(open15, path, two); }},
        {"a put without its named argument", DISP_E_TYPEMISMATCH,
         [&] { raw(RawInvoke(m_qor.m_app, 23, DISPATCH_PROPERTYPUT, {bFalse})); }},
        {"property 23 set to True", E_INVALIDARG,
         [&] { m_qor.m_app.SetProperty(23, VT_BOOL, TRUE); }},
        {"property 23 is written, never read", DISP_E_MEMBERNOTFOUND,
         [&] { m_qor.m_app.GetProperty(23, VT_BOOL, &unused); }},
        {"unknown property 7", DISP_E_MEMBERNOTFOUND,
         [&] { m_qor.m_app.GetProperty(7, VT_DISPATCH, &unused); }},
        {"unknown method 19", DISP_E_MEMBERNOTFOUND,
         [&] { m_qor.m_documents.InvokeHelper(19, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE); }},
        {"quit with one argument", DISP_E_BADPARAMCOUNT,
         [&] {
             m_qor.m_app.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_PVARIANT, o);
         }},
        {"spreadsheet open with the path by reference", DISP_E_TYPEMISMATCH,
         [&] {
             m_lx.m_workbooks.InvokeHelper(682, DISPATCH_METHOD, VT_DISPATCH, &unused,
                                           VTS_PVARIANT VTS_VARIANT_4 VTS_VARIANT_4 VTS_VARIANT_4,
                                           static_cast<VARIANT*>(xlsPath), o, o, o, o, o, o, o, o,
                                           o, o, o, o);
         }},
        {"spreadsheet open with 1 argument", DISP_E_BADPARAMCOUNT,
         [&] {
             m_lx.m_workbooks.InvokeHelper(682, DISPATCH_METHOD, VT_DISPATCH, &unused, VTS_BSTR,
                                           xls.c_str());
         }},
        {"save with I4 1 where I4 0 belongs", E_INVALIDARG,
         [&] {
             m_lx.m_workbook.InvokeHelper(284, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                          VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I4 VTS_VARIANT_4,
                                          lxTarget.c_str(), o, o, o, o, o, 1L, o, o, o, o);
         }},
        {"save with I2 0 where I4 0 belongs", DISP_E_TYPEMISMATCH,
         [&] {
             m_lx.m_workbook.InvokeHelper(284, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                          VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I2 VTS_VARIANT_4,
                                          lxTarget.c_str(), o, o, o, o, o, 0, o, o, o, o);
         }},
        {"close with a BOOL where an I2 belongs", DISP_E_TYPEMISMATCH,
         [&] {
             m_lx.m_workbook.InvokeHelper(277, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                          VTS_I2 VTS_I2 VTS_BOOL, 0, 0, FALSE);
         }},
        {"a spreadsheet put without its named argument", DISP_E_TYPEMISMATCH,
         [&] { raw(RawInvoke(m_lx.m_app, 1695, DISPATCH_PROPERTYPUT, {bFalse})); }},
        {"unknown property 2", DISP_E_MEMBERNOTFOUND,
         [&] { m_lx.m_server.GetProperty(2, VT_DISPATCH, &unused); }},
        {"property 1695 is written, never read", DISP_E_MEMBERNOTFOUND,
         [&] { m_lx.m_app.GetProperty(1695, VT_BOOL, &unused); }},
        {"property 1 is read, never written", DISP_E_MEMBERNOTFOUND,
         [&] { m_lx.m_server.SetProperty(1, VT_BOOL, FALSE); }},
    };
    m_sim.ClearJournal();
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ErrorOf(c.call)) << c.what;
    const std::vector<std::string> calls = m_sim.Calls();
    EXPECT_EQ(std::size(cases), calls.size()) << "each refused call is journaled\n" << Join(calls);
    EXPECT_EQ("qor.app\tMETHOD\t1105\tREF:ERROR:80020004", calls.at(8));

    m_qor.Convert(doc.c_str(), (m_dir / "a.qor").c_str());
    m_lx.SaveAs(lxTarget.c_str());
    m_lx.Close();
    EXPECT_TRUE(IsDoc(m_dir / "a.qor", "qor", "正文")) << "the servers still work";
    EXPECT_TRUE(IsDoc(lxTarget, "lx", "表"));
}

TEST_F(ServerTest, FileProblemsAreErrorsOfTheApplication) {
    const std::string doc = Doc("a.doc", "doc", "正文");
    const std::string sheet = Doc("sheet.doc", "xls", "表格");
    const std::string letter = Doc("letter.xls", "doc", "信");
    const std::string missing = m_dir / "不存在.doc";
    const std::string longTarget = m_dir / (std::string(255 - m_dir.path().size(), 'x') + ".qor");
    StartBoth();

    for (const char* source : {"Qor", "LX"}) {
        try {
            source[0] == 'Q' ? m_qor.Open(missing.c_str()) : m_lx.Open(missing.c_str());
            ADD_FAILURE() << source << " opened a missing file";
        } catch (const COleDispatchException& e) {
            EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), e.m_scError);
            EXPECT_NE(-1, e.m_strDescription.Find(missing.c_str()))
                << Utf8(e.m_strDescription.str());
            EXPECT_STREQ(source, e.m_strSource);
        }
    }
    const struct {
        const char* what;
        std::function<void()> call;
        const char* notWritten;
    } cases[] = {
        {"a spreadsheet file is not a document", [&] { m_qor.Open(sheet.c_str()); }, nullptr},
        {"a document is not a workbook", [&] { m_lx.Open(letter.c_str()); }, nullptr},
        {"save as .txt", [&] { m_qor.SaveAs((m_dir / "a.txt").c_str()); }, "a.txt"},
        {"save without extension", [&] { m_qor.SaveAs((m_dir / "a").c_str()); }, "a"},
        {"a document saved as .xls", [&] { m_qor.SaveAs((m_dir / "a.xls").c_str()); }, "a.xls"},
        {"a workbook saved as .doc", [&] { m_lx.SaveAs((m_dir / "b.doc").c_str()); }, "b.doc"},
        {"save into a missing folder", [&] { m_qor.SaveAs((m_dir / "无此目录\\a.qor").c_str()); },
         nullptr},
        {"save under a path of 260 characters", [&] { m_qor.SaveAs(longTarget.c_str()); }, nullptr},
    };
    ASSERT_TRUE(m_qor.Open(doc.c_str()));
    ASSERT_TRUE(m_lx.Open(Doc("b.xls", "xls", "表").c_str()));
    for (const auto& c : cases) {
        EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf(c.call)) << c.what;
        if (c.notWritten) {
            EXPECT_FALSE(PathExists(m_dir / c.notWritten)) << c.what;
        }
    }
    EXPECT_FALSE(PathExists(longTarget));
    const std::string readOnly = Doc("只读.qor", "qor", "旧");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.SaveAs(readOnly.c_str()); }));
    EXPECT_TRUE(IsDoc(readOnly, "qor", "旧")) << "a read-only target is not replaced";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    m_qor.SaveAs((m_dir / "A.QOT").c_str());
    EXPECT_TRUE(IsDoc(m_dir / "A.QOT", "qot", "正文"))
        << "the extension is read without regard to case";
    m_qor.Close();
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.SaveAs((m_dir / "b.qor").c_str()); }))
        << "a closed document cannot be saved";
    EXPECT_EQ(DISP_E_EXCEPTION, ErrorOf([&] { m_qor.Close(); })) << "nor closed again";
}

TEST_F(ServerTest, QuitEndsTheWordProcessorAndTheLastReleaseEndsTheSpreadsheet) {
    StartBoth();
    const std::vector<DWORD> pids = m_sim.JournalPids();
    ASSERT_EQ(2u, pids.size()) << "word processor first, then spreadsheet";
    m_qor.Quit();
    EXPECT_TRUE(OfficeSim::WaitForExit(pids[0], 5000)) << "quit ends the word processor";
    m_lx.m_server.ReleaseDispatch();
    EXPECT_FALSE(OfficeSim::WaitForExit(pids[1], 300)) << "the workbooks are still held";
    m_lx.Release();
    EXPECT_TRUE(OfficeSim::WaitForExit(pids[1], 5000)) << "the last release ends the spreadsheet";
}

TEST_F(ServerTest, RoundTripKeepsThePayloadByteForByteUnderChineseNames) {
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
