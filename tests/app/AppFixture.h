#pragma once
// The main dialog, modeless, over a test drive of source documents, with its inner state open to
// the tests, and helpers that press its buttons and wait for its threads.
#include "app/ConvertDlg.h"
#include "shared/UserMessages.h"

#include "MessageBoxRecorder.h"
#include "OfficeSim.h"
#include "TempDir.h"
#include "TestDrive.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TestConvertDlg : public CConvertDlg {
public:
    using CConvertDlg::ContinueModal;
    using CConvertDlg::IsWorkerRunning;
    using CConvertDlg::m_bJobStarting;
    using CConvertDlg::m_listTree;
    using CConvertDlg::m_nFileCount;
    using CConvertDlg::m_progress;
    using CConvertDlg::m_shellTree;
    using CConvertDlg::m_wndToolBar;
    using CConvertDlg::StopThread;

    // Runs once, on the window's thread, right after the next UWM_LIST_COUNT has been handled.
    std::function<void()> afterListCount;
    // What the add-files box shows when the run reports its count, just before the box closes.
    std::string m_strBoxPathAtCount;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class AppFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The source tree's item for a path below the test drive, expanding the folders on the way.
    HTREEITEM SourceItem(const std::string& relative);
    // Selects exactly these source items, as Ctrl-clicks leave them.
    void SelectSources(const std::vector<HTREEITEM>& items);
    // ">>", then waits until the add run has ended and the main window is enabled again.
    void AddSelected();
    // An entry put straight into the list with its count, as an add run leaves it.
    HTREEITEM AddEntry(const std::string& path, int nType, int nCount);
    void Press(int id);
    // Start, then waits until the job has ended; false when it did not within the limit.
    bool StartAndWait();
    bool Enabled(int id) const;
    std::vector<HTREEITEM> ListItems() const;
    std::string StatusText() const;

    TempDir src{"appsrc"};
    TempDir out{"appout"};
    std::unique_ptr<TestDrive> drive;
    std::unique_ptr<MessageBoxRecorder> boxes;
    TestConvertDlg dlg;
};
