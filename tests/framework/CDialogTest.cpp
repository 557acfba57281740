#include "framework/CDialog.h"

#include "UiPump.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A tree control that records the notifications reflected to it.
class ReflectProbe : public CWnd {
public:
    std::vector<UINT> codes;
    LRESULT answer = 0;

protected:
    BOOL OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* pResult) override {
        if (msg != WM_NOTIFY)
            return FALSE;
        codes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        *pResult = answer;
        return TRUE;
    }
};

// The main template, with its radio group, edit and trees bound by data exchange.
class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(IDD_CONVERT_DIALOG) {}
    int m_nKind = 1;
    CString m_strOutputDir = "D:\\输出\\乗";
    ReflectProbe m_tree;
    int continueChecks = 0;
    std::vector<WPARAM> keysSeen;
    bool swallowKeys = false;
    bool okOnInit = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_SHELL_TREE, m_tree);
        DDX_Radio(pDX, IDC_RADIO_WORD, m_nKind);
        DDX_Text(pDX, IDC_OUTPUT_DIR, m_strOutputDir);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (okOnInit)
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    BOOL ContinueModal() override {
        ++continueChecks;
        return CDialog::ContinueModal();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) {
            keysSeen.push_back(pMsg->wParam);
            if (swallowKeys)
                return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }
};

bool IsChecked(HWND dlg, int id) {
    return SendDlgItemMessageA(dlg, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TEST(DataExchange, LoadPutsMembersIntoControlsAndSaveReadsThemBack) {
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
    EXPECT_FALSE(IsChecked(dlg, IDC_RADIO_WORD));
    EXPECT_TRUE(IsChecked(dlg, IDC_RADIO_EXCEL));
    EXPECT_STREQ("D:\\输出\\乗", dlg.GetDlgItemText(IDC_OUTPUT_DIR));
    EXPECT_EQ(dlg.GetDlgItem(IDC_SHELL_TREE), dlg.m_tree.m_hWnd) << "DDX_Control subclasses";

    SendDlgItemMessageA(dlg, IDC_RADIO_WORD, BM_CLICK, 0, 0);
    dlg.SetDlgItemText(IDC_OUTPUT_DIR, "E:\\新建\\嘰");
    dlg.UpdateData(TRUE);
    EXPECT_EQ(0, dlg.m_nKind);
    EXPECT_STREQ("E:\\新建\\嘰", dlg.m_strOutputDir);

    SendDlgItemMessageA(dlg, IDC_RADIO_WORD, BM_SETCHECK, BST_UNCHECKED, 0);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(-1, dlg.m_nKind) << "no button checked";
    dlg.DestroyWindow();
}

TEST(MessageDispatch, NotificationsAreReflectedToTheSubclassedChild) {
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>("item");
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        dlg.m_tree.SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    ASSERT_NE(nullptr, item);
    dlg.m_tree.SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    ASSERT_FALSE(dlg.m_tree.codes.empty());
    EXPECT_EQ(static_cast<UINT>(TVN_DELETEITEMA), dlg.m_tree.codes.back());
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_tree.m_hWnd) << "child forgets its window when it is destroyed";
}

// Every message finds its window's object; windows made, used and destroyed on several threads
// at once each reach their own, and a window gone leaves no object behind.
TEST(MessageDispatch, WindowsOfSeveralThreadsReachTheirOwnObjects) {
    struct Echo : CWnd {
        int seen = 0;
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
            if (msg != WM_APP)
                return CWnd::WindowProc(msg, wParam, lParam);
            ++seen;
            return reinterpret_cast<LRESULT>(this);
        }
    };
    std::atomic<int> failures{0};
    auto work = [&] {
        for (int round = 0; round < 100; ++round) {
            Echo echo;
            HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        nullptr, nullptr);
            if (!echo.SubclassWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != &echo ||
                echo.SubclassWindow(hWnd))
                ++failures;
            for (int i = 0; i < 5; ++i) {
                if (SendMessageA(hWnd, WM_APP, 0, 0) != reinterpret_cast<LRESULT>(&echo))
                    ++failures;
            }
            DestroyWindow(hWnd);
            if (echo.seen != 5 || echo.m_hWnd != nullptr || CWnd::FromHandlePermanent(hWnd))
                ++failures;
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back(work);
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(0, failures.load());
}

TEST(ModalLoop, OkEndsTheLoopAfterSavingTheControls) {
    ExchangeDialog dlg;
    dlg.okOnInit = true;
    dlg.m_nKind = 0;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0, dlg.m_nKind);
    EXPECT_GT(dlg.continueChecks, 0) << "the loop asks ContinueModal";
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "the window is gone after DoModal";
}

namespace {

VOID CALLBACK PressKeyThenOk(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hWnd, id);
    HWND edit = GetDlgItem(hWnd, IDC_OUTPUT_DIR);
    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

VOID CALLBACK PressEscape(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hWnd, id);
    PostMessageA(GetDlgItem(hWnd, IDC_OUTPUT_DIR), WM_KEYDOWN, VK_ESCAPE, 0);
}

VOID CALLBACK DestroyIt(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hWnd, id);
    DestroyWindow(hWnd);
}

class TimedDialog : public ExchangeDialog {
public:
    explicit TimedDialog(TIMERPROC proc) : m_proc(proc) {}

protected:
    BOOL OnInitDialog() override {
        ExchangeDialog::OnInitDialog();
        SetTimer(m_hWnd, 1, 10, m_proc);
        return TRUE;
    }
    TIMERPROC m_proc;
};

} // namespace

TEST(ModalLoop, PreTranslateMessageSeesKeysOfChildControlsFirst) {
    TimedDialog dlg(&PressKeyThenOk);
    dlg.swallowKeys = true;
    EXPECT_EQ(IDOK, dlg.DoModal()) << "the swallowed Esc did not cancel";
    ASSERT_EQ(1u, dlg.keysSeen.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_ESCAPE), dlg.keysSeen[0]);
}

TEST(ModalLoop, EscapeCancelsAndADestroyedWindowEndsTheLoop) {
    const struct {
        TIMERPROC proc;
        INT_PTR result;
    } cases[] = {{&PressEscape, IDCANCEL}, {&DestroyIt, -1}};
    for (const auto& c : cases) {
        TimedDialog dlg(c.proc);
        EXPECT_EQ(c.result, dlg.DoModal());
    }
}

TEST(ModalLoop, ParentIsDisabledWhileTheDialogRuns) {
    ExchangeDialog parent;
    ASSERT_TRUE(parent.Create(IDD_CONVERT_DIALOG));
    struct Child : CDialog {
        Child(CWnd* p) : CDialog(IDD_ADDFILES, p) {}
        BOOL parentEnabledDuring = TRUE;
        BOOL OnInitDialog() override {
            parentEnabledDuring = ::IsWindowEnabled(m_pParentWnd->m_hWnd);
            PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return CDialog::OnInitDialog();
        }
    } child(&parent);
    EXPECT_EQ(IDCANCEL, child.DoModal());
    EXPECT_FALSE(child.parentEnabledDuring);
    EXPECT_TRUE(parent.IsWindowEnabled());
    parent.DestroyWindow();
}

TEST(Modeless, SelfDeletingDialogIsDeletedWhenItsWindowGoes) {
    static bool deleted = false;
    struct SelfDeleting : CDialog {
        SelfDeleting() : CDialog(IDD_ADDFILES) {}
        ~SelfDeleting() override { deleted = true; }
        void PostNcDestroy() override { delete this; }
    };
    auto* dlg = new SelfDeleting;
    ASSERT_TRUE(dlg->Create(IDD_ADDFILES));
    HWND hWnd = dlg->m_hWnd;
    EXPECT_EQ(dlg, CWnd::FromHandlePermanent(hWnd));
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hWnd));
}
