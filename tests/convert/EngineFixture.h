#pragma once
// Shared set-up of the engine tests: the stand-in servers configured afresh with a journal,
// message boxes answered, a temporary folder, and a few ways to combine expected journal lines.
#include "convert/CConverter.h"
#include "convert/ConvertJob.h"

#include "framework/MbcsText.h"
#include "shared/ConvertType.h"
#include "shared/UserMessages.h"

#include "FailureLog.h"
#include "MessageBoxRecorder.h"
#include "OfficeCalls.h"
#include "OfficeSim.h"
#include "OwnerWindow.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace journal {

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts);
// The first n calls of a step sequence (a file that failed part-way).
std::vector<std::string> First(const std::vector<std::string>& calls, size_t n);
// Source paths of the open calls, in the order they were made.
std::vector<std::string> OpenedSources(const std::vector<std::string>& calls);

} // namespace journal

// Appends the .doc and .dot files under folder (the sources of CT_WORD_TO_QOR) in walk order.
void AppendWalkOrder(const std::string& folder, std::vector<std::string>& out);

class EngineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A converter for calls on this thread, reporting to the owner window; with a log folder,
    // logging into an emptied log there.
    CConverter& Converter(const std::string& logFolder = "");
    // Runs a whole job on a worker thread, as Start does, and waits for it while pumping; the
    // owner window is the fixture's own unless another is given.
    void RunJob(const std::vector<ConvertItem>& items, const std::string& output) {
        RunJob(items, output, owner);
    }
    void RunJob(const std::vector<ConvertItem>& items, const std::string& output, OwnerWindow& to);
    // A job entry, file or folder (count: its matching files).
    ConvertItem JobEntry(int n, const std::string& path, int type = 3, int count = 1);
    std::string Doc(const std::string& relative, const std::string& payload = "正文");
    // The log's bytes; kNoLog when there is no log file at all.
    std::string Log(const std::string& folder) const;
    static constexpr const char* kNoLog = "(no qorconvert.log)";
    static std::string LogLine(const std::string& source) { return FailureLogLine(source); }

    OfficeSim sim;
    MessageBoxRecorder boxes;
    TempDir dir;
    OwnerWindow owner;
    CConverter* slot = nullptr;

private:
    CConverter* m_local = nullptr;
    std::shared_ptr<IJobEvents> m_events;
};
