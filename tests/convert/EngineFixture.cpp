#include "EngineFixture.h"

#include "CWinThread.h"
#include "MbcsText.h"
#include "UiPump.h"

namespace journal {

namespace {

const std::string kOmitted = "ERROR:80020004";

std::string Repeat(const std::string& arg, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += "\t" + arg;
    return out;
}

} // namespace

std::string Create(const char* object) { return std::string(object) + "\tCREATE\t-"; }
std::string WpVisible() { return "qor.app\tPUT\t23\tBOOL:0"; }
std::string WpDocuments() { return "qor.app\tGET\t6"; }
std::string WpOpen(const std::string& source) {
    return "qor.documents\tMETHOD\t18\tREF:BSTR:" + source + "\tREF:" + kOmitted + "\tREF:I2:1" +
           Repeat("REF:" + kOmitted, 12);
}
std::string WpSaved() { return "qor.document\tPUT\t4101\tBOOL:0"; }
std::string WpSave(const std::string& target) {
    return "qor.document\tMETHOD\t376\tREF:BSTR:" + target + "\tREF:I2:0" + Repeat("REF:" + kOmitted, 14);
}
std::string WpClose() { return "qor.document\tMETHOD\t1105\tREF:I2:0\tREF:I2:2\tREF:" + kOmitted; }
std::string WpQuit() { return "qor.app\tMETHOD\t1105\tREF:I2:0" + Repeat("REF:" + kOmitted, 2); }
std::string SsApplication() { return "lx.server\tGET\t1"; }
std::string SsWorkbooks() { return "lx.app\tGET\t572"; }
std::string SsAlerts() { return "lx.app\tPUT\t1695\tBOOL:0"; }
std::string SsOpen(const std::string& source) {
    return "lx.workbooks\tMETHOD\t682\tBSTR:" + source + Repeat(kOmitted, 12);
}
std::string SsSave(const std::string& target) {
    return "lx.workbook\tMETHOD\t284\tBSTR:" + target + Repeat(kOmitted, 5) + "\tI4:0" + Repeat(kOmitted, 4);
}
std::string SsClose() { return "lx.workbook\tMETHOD\t277\tI2:0\tI2:0\tI2:0"; }

std::vector<std::string> WpStart() { return {Create("qor.app"), WpVisible(), WpDocuments()}; }
std::vector<std::string> WpRound(const std::string& source, const std::string& target) {
    return {WpOpen(source), WpSaved(), WpSave(target), WpClose()};
}
std::vector<std::string> SsStart() { return {Create("lx.server"), SsApplication(), SsWorkbooks(), SsAlerts()}; }
std::vector<std::string> SsRound(const std::string& source, const std::string& target) {
    return {SsOpen(source), SsSave(target), SsClose()};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::string> OpenedSources(const std::vector<std::string>& calls) {
    std::vector<std::string> sources;
    for (const std::string& call : calls) {
        for (const char* prefix : {"qor.documents\tMETHOD\t18\tREF:BSTR:", "lx.workbooks\tMETHOD\t682\tBSTR:"}) {
            std::string p = prefix;
            if (call.compare(0, p.size(), p) == 0)
                sources.push_back(call.substr(p.size(), call.find('\t', p.size()) - p.size()));
        }
    }
    return sources;
}

} // namespace journal

void EngineTest::SetUp() { CoInitialize(nullptr); }

void EngineTest::TearDown() {
    delete m_local;
    m_local = nullptr;
    CoUninitialize();
}

CConverter& EngineTest::Converter() {
    if (m_local == nullptr) {
        m_local = new CConverter;
        m_local->m_hNotifyWnd = owner.hwnd();
    }
    return *m_local;
}

void EngineTest::RunJob(const std::vector<ConvertItem>& items, const std::string& output) {
    auto* converter = new CConverter;
    CConverter::StoreInSlot(&slot, converter);
    converter->SetLogFolder(output.c_str());
    converter->ClearLog();
    auto* job = new ConvertJob;
    job->hWndOwner = owner.hwnd();
    job->items = items;
    ASSERT_TRUE(job->SetOutputDir(output.c_str()));
    job->ppConverter = &slot;
    CWinThread* thread = AfxBeginThread(&ConvertThreadProc, job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    HANDLE done = thread->DuplicateHandle();
    thread->ResumeThread();
    bool ended = PumpUntil([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 120000);
    CloseHandle(done);
    ASSERT_TRUE(ended) << "the job did not end";
    EXPECT_EQ(nullptr, slot) << "the worker empties the slot";
}

ConvertItem EngineTest::FileItem(int n, const std::string& path, int type, int count) {
    ConvertItem item;
    item.hItem = ItemNo(n);
    item.strPath = path.c_str();
    item.nType = type;
    item.nFileCount = count;
    return item;
}

std::string EngineTest::Doc(const std::string& relative, const std::string& payload) {
    std::string path = dir.WriteFile(relative, "");
    std::string format = mbcs::SplitPath(path).ext.substr(1);
    mbcs::FoldLower(format);
    OfficeSim::WriteDoc(path, format, payload);
    return path;
}

std::string EngineTest::Log(const std::string& folder) const {
    return ReadFileBytes(folder + "\\qorconvert.log");
}
