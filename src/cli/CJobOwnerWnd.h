#pragma once
// The owner of a console job: a hidden message-only window on the main thread that answers the
// worker's messages as the main dialog does (ticks, progress, the checked-query), shows the
// progress on the console and turns the engine's message boxes into console text.
#include "cli/CConsoleOut.h"
#include "framework/CWnd.h"
#include "shared/ConvertItem.h"

#include <set>
#include <vector>

// Sent by the console's converter before each file, lParam the source path.
constexpr UINT UWM_CONVERTING_FILE = WM_USER + 120;
// Sent by the message-box seam, lParam a MessageBoxRequest; the answer is the box's result.
constexpr UINT UWM_MESSAGE_BOX = WM_USER + 121;

struct MessageBoxRequest {
    const char* text;
    UINT type;
};

class CJobOwnerWnd : public CWnd {
public:
    explicit CJobOwnerWnd(CConsoleOut& out) : m_out(out) {}
    ~CJobOwnerWnd() override;

    BOOL Create();
    // Entry n of the job goes as item handle n + 1; total is the files they stand for.
    void Begin(const std::vector<CString>& entryPaths, int total, bool quiet);

    static HTREEITEM ItemOf(size_t index);

    int FilesDone() const { return m_nDone; }
    int StartFailures() const { return m_nStartFailures; }
    bool IsTicked(size_t index) const { return m_ticked[index]; }
    bool WasSkipped(size_t index) const { return m_skipped[index]; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnIsItemChecked(LPARAM lParam);
    void OnItemConverted(WPARAM wParam, LPARAM lParam);
    void OnConvertingFile(const char* path);
    int OnMessageBox(const MessageBoxRequest& box);
    // The entry of an item handle, or npos for a handle of no entry.
    size_t IndexOf(LPARAM item) const;

    CConsoleOut& m_out;
    std::vector<CString> m_paths;
    std::vector<bool> m_ticked;
    std::vector<bool> m_skipped;
    std::set<CString> m_errorsShown;
    size_t m_current = 0;
    int m_nTotal = 0;
    int m_nDone = 0;
    int m_nStartFailures = 0;
    bool m_bQuiet = false;
};
