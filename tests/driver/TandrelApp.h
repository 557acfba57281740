#pragma once
// Tandrel run as its own process and used as a person uses it: every action is input at screen
// coordinates, every observation a read of its windows from outside the process.
#include "RemoteTree.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TandrelApp {
public:
    TandrelApp() = default;
    // Ends a program that is still running.
    ~TandrelApp();
    TandrelApp(const TandrelApp&) = delete;
    TandrelApp& operator=(const TandrelApp&) = delete;

    // The full path of a program given relative to the folder of the running program.
    static std::string ProgramPath(const std::string& relativeToThisProgram);

    // Starts the program and waits until its main window shows the drives.
    bool Start(const std::string& exePath);
    // What the last step that failed was waiting for.
    const std::string& LastError() const { return m_error; }
    // How long a job may take before the waits for its end give up (60 s unless told).
    void SetJobLimit(DWORD ms) { m_jobLimitMs = ms; }

    HANDLE Process() const { return m_process.hProcess; }
    bool Running() const;
    HWND Window() const { return m_hWnd; }
    HWND Control(int id) const { return GetDlgItem(m_hWnd, id); }
    std::string Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    int ProgressPos() const;
    int ProgressMax() const;
    RemoteTree& SourceTree() { return *m_sourceTree; }
    RemoteTree& ListTree() { return *m_listTree; }

    // The steps of a job.
    // Opens or closes a source folder with a click on its button (closing forgets its children,
    // so that the next opening reads the folder again).
    bool Expand(HTREEITEM hItem);
    bool Collapse(HTREEITEM hItem);
    // A click on the item's label, with MK_CONTROL and MK_SHIFT held as keys says. When Wine let
    // go of the keys and the click took the selection away, the selection is made again as it was
    // and the click repeated, so that a Ctrl-click keeps what was selected.
    bool Select(RemoteTree& tree, HTREEITEM hItem, UINT keys = 0);
    bool Select(HTREEITEM hItem, bool ctrl) {
        return Select(SourceTree(), hItem, ctrl ? MK_CONTROL : 0);
    }
    // ">>", then the wait until the list holds that many entries and the window is usable again.
    bool AddSelected(int nEntries);
    // Once no add run is under way (the window is enabled), selects every entry of the list (a
    // click on the first, a Shift-click on the last) and presses "<<"; waits until it is empty.
    bool RemoveAll();
    // Clicks "Word" (false) or "Excel" (true) and waits until the source tree is built again.
    bool ChooseKind(bool sheet);
    bool TypeOutputFolder(const std::string& folder);
    // Start: it empties the log of the typed folder, which tells when it has got past its checks,
    // so a log left by an earlier job is removed first.
    bool PressStart();
    // Waits for a message box of the program saying text and clicks its button buttonId.
    bool AnswerMessageBox(const std::string& text, int buttonId);
    // Clicks a button of one of the program's boxes (a message box, the add-files box).
    bool ClickButtonOf(HWND dialog, int buttonId);
    // Dialog windows of the program besides the main window (message boxes, the add-files box).
    int OtherDialogs() const;
    // The add-files box while it is on the screen, else null.
    HWND AddFilesBox() const;
    bool WaitUntilStarted();
    // Waits until the job is under way with the progress at least at nPos.
    bool WaitUntilRunning(int nPos);
    // Waits until the job has ended: progress at nPos (any when negative) of nMax, the controls
    // back in Idle.
    bool WaitUntilIdle(int nPos, int nMax);
    bool WaitUntilIdle(int nTotal) { return WaitUntilIdle(nTotal, nTotal); }
    // The whole job: Start, OK on the question about creating the folder when ask, the end.
    bool RunJob(int nTotal, bool ask);
    // Clicks the Close button and waits until the program has ended.
    bool PressClose();
    bool ClickControl(int id);
    // A click on the close box of the main window's caption.
    bool ClickCloseBox();
    // Gives the main window back its place on the screen after it was minimized, as a click on
    // its icon would.
    bool Restore();

    // The window as the screen shows it, as a BMP file.
    bool Capture(const std::string& bmpPath) const;

private:
    bool ClickWhenReachable(HWND target, const std::string& what);
    bool ClickAt(HWND target, POINT pt, UINT keys, const std::string& what,
                 bool* pKeysHeld = nullptr);
    bool SelectionLost(RemoteTree& tree, HTREEITEM hItem, const std::vector<HTREEITEM>& before);
    bool Reselect(RemoteTree& tree, const std::vector<HTREEITEM>& items);
    bool Fail(const std::string& what);
    bool ShowItem(RemoteTree& tree, HTREEITEM hItem, RECT* pLabel);
    bool ClickButton(HTREEITEM hItem);
    bool WaitForComputerFolder();
    HWND FindOwnWindow(const char* className, const std::string& childText) const;
    std::string LogPath() const;

    PROCESS_INFORMATION m_process = {};
    HWND m_hWnd = nullptr;
    std::unique_ptr<RemoteTree> m_sourceTree;
    std::unique_ptr<RemoteTree> m_listTree;
    std::string m_outputFolder;
    std::string m_error;
    DWORD m_jobLimitMs = 60000;
};
