#include "EngineFixture.h"

using namespace journal;

TEST_F(EngineTest, ThreeDocumentsMakeOneStartThreeRoundsAndOneQuit) {
    std::string a = Doc("a.doc", "甲"), b = Doc("乗\\b.DOC", "乙"), c = Doc("c.dot", "丙");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    conv.ConvertFile(a.c_str(), (out + "\\a.qor").c_str(), CT_WORD_TO_QOR);
    conv.ConvertFile(b.c_str(), (out + "\\b.qor").c_str(), CT_WORD_TO_QOR);
    conv.ConvertFile(c.c_str(), (out + "\\c.qot").c_str(), CT_WORD_TO_QOR);
    conv.QuitApplications();

    EXPECT_EQ(Join({OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(a, out + "\\a.qor"),
                    OfficeCalls::WordConvert(b, out + "\\b.qor"),
                    OfficeCalls::WordConvert(c, out + "\\c.qot"),
                    {OfficeCalls::WordQuit()}}),
              sim.Calls());
    EXPECT_TRUE(IsDoc(out + "\\c.qot", "qot", "丙"));
    EXPECT_EQ(1u, sim.JournalPids().size()) << "one word processor for the whole job";
}

TEST_F(EngineTest, SpreadsheetOnlyJobNeverStartsTheWordProcessorAndQuitsWithoutACall) {
    std::string a = Doc("a.xls", "表"), b = Doc("b.lxt", "模板");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    conv.ConvertFile(a.c_str(), (out + "\\a.lx").c_str(), CT_EXCEL_TO_LX);
    conv.ConvertFile(b.c_str(), (out + "\\b.xlt").c_str(), CT_LX_TO_EXCEL);
    conv.QuitApplications();

    EXPECT_EQ(Join({OfficeCalls::SheetStart(), OfficeCalls::SheetConvert(a, out + "\\a.lx"),
                    OfficeCalls::SheetConvert(b, out + "\\b.xlt")}),
              sim.Calls());
    EXPECT_TRUE(IsDoc(out + "\\b.xlt", "xlt", "模板"));
}

TEST_F(EngineTest, SaveErrorLogsTheFileQuitsAtOnceAndTheNextFileStartsAfresh) {
    std::string a = Doc("a.doc"), b = Doc("b.doc"), c = Doc("c.doc");
    std::string out = dir.MakeDir("out");
    sim.Fault("b.doc", "save-error:800A03EC:磁盘已满");
    CConverter& conv = Converter(out);
    for (const std::string* src : {&a, &b, &c})
        conv.ConvertFile(src->c_str(),
                         mbcs::JoinPath(out, mbcs::SplitPath(*src).fname + ".qor").c_str(),
                         CT_WORD_TO_QOR);
    conv.QuitApplications();

    std::vector<std::string> b_failed =
        Join({First(OfficeCalls::WordConvert(b, out + "\\b.qor"), 3), {OfficeCalls::WordQuit()}});
    EXPECT_EQ(Join({OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(a, out + "\\a.qor"),
                    b_failed,
                    OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(c, out + "\\c.qor"),
                    {OfficeCalls::WordQuit()}}),
              sim.Calls());
    EXPECT_EQ(LogLine(b), Log(out));
    EXPECT_TRUE(PathExists(out + "\\c.qor"));
    EXPECT_EQ(2u, sim.JournalPids().size()) << "a second word processor for the third file";
}

// An application that cannot be started is told once and not tried again; each of its files is
// logged and left undone for a later Start, and the other application still converts.
TEST_F(EngineTest, ApplicationThatCannotStartIsToldOnceAndEachOfItsFilesLogged) {
    sim.RefuseStart("Qor.Application");
    std::string out = dir.MakeDir("out");
    std::string a = Doc("a.doc"), x = Doc("x.xls"), b = Doc("b.doc");
    CConverter& conv = Converter(out);
    EXPECT_FALSE(conv.ConvertFile(a.c_str(), (out + "\\a.qor").c_str(), CT_WORD_TO_QOR));
    EXPECT_TRUE(conv.ConvertFile(x.c_str(), (out + "\\x.lx").c_str(), CT_EXCEL_TO_LX));
    EXPECT_FALSE(conv.ConvertFile(b.c_str(), (out + "\\b.qor").c_str(), CT_WORD_TO_QOR));
    conv.QuitApplications();

    EXPECT_EQ((std::vector<std::string>{"no app Qor启动失败", "failed", "done 1", "failed"}),
              owner.Trace());
    EXPECT_EQ(LogLine(a) + LogLine(b), Log(out));
    EXPECT_EQ(Join({OfficeCalls::SheetStart(), OfficeCalls::SheetConvert(x, out + "\\x.lx")}),
              sim.Calls());
    EXPECT_EQ(0u, boxes.Count()) << "the engine shows no box: its owner tells the user";
}

// Open yields nothing, or save returns normally and writes nothing: the file is logged as failed
// and the application goes on with the next file.
TEST_F(EngineTest, OpenOrSaveThatYieldsNothingIsLoggedAndTheApplicationGoesOn) {
    std::string a = Doc("a.doc"), s = Doc("s.doc"), b = Doc("b.doc"), x = Doc("x.xls"),
                y = Doc("y.xls");
    sim.Fault("a.doc", "open-nothing");
    sim.Fault("x.xls", "open-nothing");
    sim.Fault("s.doc", "save-nothing");
    sim.Fault("y.xls", "save-nothing");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter(out);
    for (const std::string* src : {&a, &s, &b, &x, &y})
        conv.ConvertFile(src->c_str(),
                         (out + "\\" + CConverter::MakeTargetName(src->c_str()).str()).c_str(),
                         mbcs::SplitPath(*src).ext == ".doc" ? CT_WORD_TO_QOR : CT_EXCEL_TO_LX);

    EXPECT_EQ(
        Join({OfficeCalls::WordStart(), First(OfficeCalls::WordConvert(a, out + "\\a.qor"), 1),
              OfficeCalls::WordConvert(s, out + "\\s.qor"),
              OfficeCalls::WordConvert(b, out + "\\b.qor"), OfficeCalls::SheetStart(),
              First(OfficeCalls::SheetConvert(x, out + "\\x.lx"), 1),
              OfficeCalls::SheetConvert(y, out + "\\y.lx")}),
        sim.Calls());
    for (const char* target : {"a.qor", "s.qor", "x.lx", "y.lx"})
        EXPECT_FALSE(PathExists(out + "\\" + target)) << target;
    EXPECT_EQ(LogLine(a) + LogLine(s) + LogLine(x) + LogLine(y), Log(out));
    EXPECT_EQ((std::vector<std::string>{"failed", "failed", "done 1", "failed", "failed"}),
              owner.Trace());
}

// An error in open or save fails the file; one in close after a complete save leaves a complete
// result, so the file is converted and not logged: never both.
TEST_F(EngineTest, OpenAndSaveErrorsAreLoggedAndACloseErrorAfterTheSaveIsNot) {
    std::string a = Doc("a.xls"), b = Doc("b.doc", "乙"), c = Doc("c.doc");
    sim.Fault("a.xls", "open-error:800A03EC:无法打开");
    sim.Fault("b.doc", "close-error:800A1066:无法关闭");
    sim.Fault("c.doc", "save-fail:80004005");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter(out);
    conv.ConvertFile(a.c_str(), (out + "\\a.lx").c_str(), CT_EXCEL_TO_LX);
    conv.ConvertFile(b.c_str(), (out + "\\b.qor").c_str(), CT_WORD_TO_QOR);
    conv.ConvertFile(c.c_str(), (out + "\\c.qor").c_str(), CT_WORD_TO_QOR);
    EXPECT_EQ(LogLine(a) + LogLine(c), Log(out));
    EXPECT_TRUE(IsDoc(out + "\\b.qor", "qor", "乙"));
    EXPECT_EQ((std::vector<std::string>{"failed", "done 1", "failed"}), owner.Trace());
}

// A save that fails part-way must not leave a target that passes for a result; a target that the
// failed save never touched (an earlier job's result) stays as it was.
TEST_F(EngineTest, FailedSaveRemovesWhatItWroteAndKeepsWhatItNeverTouched) {
    const std::string out = dir.MakeDir("out");
    const struct {
        const char* source;
        int type;
        const char* target;
        const char* rule;
        const char* earlierFormat; // an earlier result at the target; nullptr for none
        bool kept;
    } cases[] = {
        {"a.doc", CT_WORD_TO_QOR, "a.qor", "save-die", nullptr, false},
        {"b.xls", CT_EXCEL_TO_LX, "b.lx", "save-die", nullptr, false},
        {"c.doc", CT_WORD_TO_QOR, "c.qor", "save-die", "qor", false},
        {"d.doc", CT_WORD_TO_QOR, "d.qor", "save-error:800A1066:磁盘已满", "qor", true},
        {"e.xls", CT_EXCEL_TO_LX, "e.lx", "save-fail:80004005", "lx", true},
    };
    CConverter& conv = Converter(out);
    std::string log;
    for (const auto& c : cases) {
        const std::string source = Doc(c.source), target = mbcs::JoinPath(out, c.target);
        if (c.earlierFormat != nullptr)
            OfficeSim::WriteDoc(target, c.earlierFormat, "上次的结果");
        sim.Fault(c.source, c.rule);
        conv.ConvertFile(source.c_str(), target.c_str(), c.type);
        log += LogLine(source);
        if (c.kept)
            EXPECT_TRUE(IsDoc(target, c.earlierFormat, "上次的结果")) << c.source;
        else
            EXPECT_FALSE(PathExists(target)) << c.source << " left a cut-short target";
    }
    EXPECT_EQ(log, Log(out));
}

// A failed quit still drops the spreadsheet's references, which may point at a server that the
// watchdog has ended: the spreadsheet ends, and the next workbook starts a fresh one.
TEST_F(EngineTest, QuitErrorStillDropsTheSpreadsheet) {
    sim.QuitError(true);
    std::string a = Doc("a.xls"), b = Doc("b.doc"), c = Doc("c.xls");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    conv.ConvertFile(a.c_str(), (out + "\\a.lx").c_str(), CT_EXCEL_TO_LX);
    conv.ConvertFile(b.c_str(), (out + "\\b.qor").c_str(), CT_WORD_TO_QOR);
    conv.QuitApplications();
    EXPECT_TRUE(OfficeSim::WaitForExit(sim.PidOf(OfficeCalls::SheetStart()[0]), 5000))
        << "the spreadsheet outlives the quit";
    conv.ConvertFile(c.c_str(), (out + "\\c.lx").c_str(), CT_EXCEL_TO_LX);

    EXPECT_EQ(Join({OfficeCalls::SheetStart(),
                    OfficeCalls::SheetConvert(a, out + "\\a.lx"),
                    OfficeCalls::WordStart(),
                    OfficeCalls::WordConvert(b, out + "\\b.qor"),
                    {OfficeCalls::WordQuit()},
                    OfficeCalls::SheetStart(),
                    OfficeCalls::SheetConvert(c, out + "\\c.lx")}),
              sim.Calls());
    sim.QuitError(false);
}

TEST_F(EngineTest, ServerKilledBetweenFilesIsLoggedAndRestarted) {
    std::string a = Doc("a.doc"), b = Doc("b.doc"), c = Doc("c.doc");
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter(out);
    conv.ConvertFile(a.c_str(), (out + "\\a.qor").c_str(), CT_WORD_TO_QOR);
    OfficeSim::KillServers();
    conv.ConvertFile(b.c_str(), (out + "\\b.qor").c_str(), CT_WORD_TO_QOR);
    conv.ConvertFile(c.c_str(), (out + "\\c.qor").c_str(), CT_WORD_TO_QOR);

    EXPECT_EQ(LogLine(b), Log(out));
    EXPECT_TRUE(PathExists(out + "\\c.qor"));
    EXPECT_EQ(2u, sim.JournalPids().size());
}

TEST_F(EngineTest, ErrorWhileStartingCountsAsAFailedConversionOfThatFile) {
    std::string a = Doc("a.doc"), b = Doc("b.xls"), c = Doc("c.doc");
    std::string out = dir.MakeDir("out");
    sim.StartError("Qor.Application");
    CConverter& conv = Converter(out);
    conv.ConvertFile(a.c_str(), (out + "\\a.qor").c_str(), CT_WORD_TO_QOR);
    sim.StartError("LX.Exe");
    conv.ConvertFile(b.c_str(), (out + "\\b.lx").c_str(), CT_EXCEL_TO_LX);
    sim.StartError("");
    conv.ConvertFile(c.c_str(), (out + "\\c.qor").c_str(), CT_WORD_TO_QOR);

    std::vector<std::string> wordStart = OfficeCalls::WordStart(),
                             sheetStart = OfficeCalls::SheetStart();
    EXPECT_EQ(Join({First(wordStart, 2),
                    {OfficeCalls::WordQuit()},
                    sheetStart,
                    wordStart,
                    OfficeCalls::WordConvert(c, out + "\\c.qor")}),
              sim.Calls())
        << "the half-started application is quit and the next file starts afresh";
    EXPECT_EQ(LogLine(a) + LogLine(b), Log(out));
    EXPECT_EQ(0u, boxes.Count()) << "the application did start: no start failure is shown";
    EXPECT_TRUE(PathExists(out + "\\c.qor"));
}
