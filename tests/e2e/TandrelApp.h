#pragma once
// Tandrel run as its own process and used as a person uses it: every action is input at screen
// coordinates, every observation a read of its windows from outside the process.
#include "RemoteTree.h"

#include <windows.h>

#include <memory>
#include <string>

class TandrelApp {
public:
    TandrelApp() = default;
    // Ends a program that is still running.
    ~TandrelApp();
    TandrelApp(const TandrelApp&) = delete;
    TandrelApp& operator=(const TandrelApp&) = delete;

    // Starts the program and waits until its main window shows the drives.
    bool Start(const std::string& exePath);
    // What the last step that failed was waiting for.
    const std::string& LastError() const { return m_error; }

    HWND Window() const { return m_hWnd; }
    HWND Control(int id) const { return GetDlgItem(m_hWnd, id); }
    std::string Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    int ProgressPos() const;
    int ProgressMax() const;
    RemoteTree& SourceTree() { return *m_sourceTree; }
    RemoteTree& ListTree() { return *m_listTree; }

    // The steps of a job.
    bool Expand(HTREEITEM hItem);
    bool Select(HTREEITEM hItem, bool ctrl);
    // ">>", then the wait until the list holds that many entries and the window is usable again.
    bool AddSelected(int nEntries);
    bool TypeOutputFolder(const std::string& folder);
    // Start: it empties the log of the typed folder, which tells when it has got past its checks,
    // so a log left by an earlier job is removed first.
    bool PressStart();
    // Waits for a message box of the program saying text and clicks its button buttonId.
    bool AnswerMessageBox(const std::string& text, int buttonId);
    bool WaitUntilStarted();
    // Waits until the job is under way with the progress at least at nPos.
    bool WaitUntilRunning(int nPos);
    // Waits until the job has ended: progress at nTotal of nTotal, the controls back in Idle.
    bool WaitUntilIdle(int nTotal);
    // The whole job: Start, OK on the question about creating the folder when ask, the end.
    bool RunJob(int nTotal, bool ask);
    // Clicks the Close button and waits until the program has ended.
    bool PressClose();
    bool ClickControl(int id);

    // The window as the screen shows it, as a BMP file.
    bool Capture(const std::string& bmpPath) const;

private:
    bool Fail(const std::string& what);
    bool ShowItem(RemoteTree& tree, HTREEITEM hItem, RECT* pLabel);
    HWND FindOwnWindow(const char* className, const std::string& childText) const;
    std::string LogPath() const;

    PROCESS_INFORMATION m_process = {};
    HWND m_hWnd = nullptr;
    std::unique_ptr<RemoteTree> m_sourceTree;
    std::unique_ptr<RemoteTree> m_listTree;
    std::string m_outputFolder;
    std::string m_error;
};
