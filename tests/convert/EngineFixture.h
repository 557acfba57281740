#pragma once
// Shared set-up of the engine tests: the stand-in servers configured afresh with a journal,
// message boxes answered, a temporary folder, and the expected journal lines of each call.
#include "convert/CConverter.h"
#include "convert/ConvertJob.h"

#include "MbcsText.h"
#include "app/ConvertType.h"
#include "app/UserMessages.h"

#include "MessageBoxRecorder.h"
#include "OfficeSim.h"
#include "OwnerWindow.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace journal {

std::string Create(const char* object);
std::string WpVisible();
std::string WpDocuments();
std::string WpOpen(const std::string& source);
std::string WpSaved();
std::string WpSave(const std::string& target);
std::string WpClose();
std::string WpQuit();
std::string SsApplication();
std::string SsWorkbooks();
std::string SsAlerts();
std::string SsOpen(const std::string& source);
std::string SsSave(const std::string& target);
std::string SsClose();
// W1..W3, W4..W7 per file, as the bridge makes them.
std::vector<std::string> WpStart();
std::vector<std::string> WpRound(const std::string& source, const std::string& target);
std::vector<std::string> SsStart();
std::vector<std::string> SsRound(const std::string& source, const std::string& target);
std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts);
// Source paths of the open calls, in the order they were made.
std::vector<std::string> OpenedSources(const std::vector<std::string>& calls);

} // namespace journal

class EngineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A converter for calls on this thread, reporting to the owner window.
    CConverter& Converter();
    // Runs a whole job on a worker thread, as Start does, and waits for it while pumping.
    void RunJob(const std::vector<ConvertItem>& items, const std::string& output);
    ConvertItem FileItem(int n, const std::string& path, int type = 3, int count = 1);
    std::string Doc(const std::string& relative, const std::string& payload = "正文");
    std::string Log(const std::string& folder) const;
    std::string LogLine(const std::string& source) const { return source + "  转换失败\r\n"; }

    OfficeSim sim;
    MessageBoxRecorder boxes;
    TempDir dir;
    OwnerWindow owner;
    CConverter* slot = nullptr;

private:
    CConverter* m_local = nullptr;
};
