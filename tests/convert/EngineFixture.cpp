#include "EngineFixture.h"

#include "framework/MbcsText.h"
#include "UiPump.h"
#include "WalkOrder.h"

#include <algorithm>

namespace journal {

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::string> First(const std::vector<std::string>& calls, size_t n) {
    return std::vector<std::string>(
        calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(std::min(n, calls.size())));
}

std::vector<std::string> OpenedSources(const std::vector<std::string>& calls) {
    std::vector<std::string> sources;
    for (const std::string& call : calls) {
        for (const char* prefix :
             {"qor.documents\tMETHOD\t18\tREF:BSTR:", "lx.workbooks\tMETHOD\t682\tBSTR:"}) {
            std::string p = prefix;
            if (call.compare(0, p.size(), p) == 0)
                sources.push_back(call.substr(p.size(), call.find('\t', p.size()) - p.size()));
        }
    }
    return sources;
}

} // namespace journal

void EngineTest::SetUp() {
    CoInitialize(nullptr);
}

void EngineTest::TearDown() {
    delete m_local;
    m_local = nullptr;
    m_events.reset();
    CoUninitialize();
}

CConverter& EngineTest::Converter(const std::string& logFolder) {
    if (m_local == nullptr) {
        m_local = new CConverter;
        m_events = owner.Events();
        m_local->m_pEvents = m_events.get();
    }
    if (!logFolder.empty()) {
        m_local->SetLogFolder(logFolder.c_str());
        m_local->ClearLog();
    }
    return *m_local;
}

void AppendWalkOrder(const std::string& folder, std::vector<std::string>& out) {
    for (const std::string& path : FilesInWalkOrder(folder)) {
        // ".doc" and ".dot" end a name as four single-byte characters: no trail byte is a dot.
        const char* tail = path.c_str() + (path.size() < 4 ? 0 : path.size() - 4);
        if (_stricmp(tail, ".doc") == 0 || _stricmp(tail, ".dot") == 0)
            out.push_back(path);
    }
}

void EngineTest::RunJob(const std::vector<ConvertItem>& items, const std::string& output,
                        OwnerWindow& to) {
    auto* converter = new CConverter;
    CConverter::StoreInSlot(&slot, converter);
    converter->SetLogFolder(output.c_str());
    converter->ClearLog();
    auto* job = new ConvertJob;
    job->events = to.Events();
    job->items = items;
    ASSERT_TRUE(job->SetOutputDir(output.c_str()));
    job->ppConverter = &slot;
    const std::vector<DWORD> before = OfficeSim::ServerPids();
    CHandle done = StartConvertThread(job);
    ASSERT_TRUE(done);
    bool ended =
        PumpUntil([&] { return WaitForSingleObject(done.Get(), 0) == WAIT_OBJECT_0; }, 120000);
    ASSERT_TRUE(ended) << "the job did not end";
    EXPECT_EQ(nullptr, slot) << "the worker empties the slot";
    EXPECT_EQ(std::vector<DWORD>(), OfficeSim::ServerPidsSince(before))
        << "an application that the job started is left running";
}

ConvertItem EngineTest::JobEntry(int n, const std::string& path, int type, int count) {
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
    std::string path = mbcs::JoinPath(folder, "qorconvert.log");
    return PathExists(path) ? ReadFileBytes(path) : kNoLog;
}
