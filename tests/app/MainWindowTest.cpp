#include "AppFixture.h"

#include "UiPump.h"
#include "res/resource.h"
#include "shared/ConvertType.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using MainWindow = AppFixture;

RECT ChildRect(HWND dlg, HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT DialogUnits(HWND dlg, RECT rc) {
    MapDialogRect(dlg, &rc);
    return rc;
}

bool Pressed(const CToolBar& bar, UINT id) {
    return (bar.SendMessage(TB_GETSTATE, id) & TBSTATE_CHECKED) != 0;
}

// Whether the screen shows the button's picture of bitmap 146: at some place inside the button,
// nearly every pixel of the picture that is not the mask colour.
bool ShowsPicture(HWND window, const CToolBar& bar, int index) {
    int cx = 0, cy = 0, stripCx = 0, side = 0;
    const std::vector<COLORREF> shown = WindowPixels(window, &cx, &cy);
    const std::vector<COLORREF> strip = BitmapPixels(IDB_TOOLBAR32, &stripCx, &side);
    RECT button = {}, rcWindow = {};
    bar.SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    GetWindowRect(window, &rcWindow);
    OffsetRect(&button, -rcWindow.left, -rcWindow.top);
    auto matchesAt = [&](int left, int top) {
        int opaque = 0, same = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                COLORREF want = strip[static_cast<size_t>(y * stripCx + index * side + x)];
                if (want == RGB(192, 192, 192))
                    continue;
                ++opaque;
                same += shown[static_cast<size_t>((top + y) * cx + left + x)] == want;
            }
        }
        return opaque > 0 && same * 10 >= opaque * 9;
    };
    for (int top = button.top; top + side <= std::min<int>(button.bottom, cy); ++top)
        for (int left = button.left; left + side <= std::min<int>(button.right, cx); ++left)
            if (matchesAt(left, top))
                return true;
    return false;
}

} // namespace

TEST_F(MainWindow, ToolBarGrowsTheDialogAndMovesEveryControlDownByItsHeight) {
    CToolBar& bar = dlg.m_wndToolBar;
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_DIR_OFFICE_TO_QOR), bar.GetItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_DIR_QOR_TO_OFFICE), bar.GetItemID(1));
    EXPECT_EQ(static_cast<UINT>(ID_APP_ABOUT), bar.GetItemID(2));
    EXPECT_EQ(static_cast<UINT>(BTNS_CHECKGROUP), bar.GetButtonStyle(0) & BTNS_CHECKGROUP);
    EXPECT_EQ(MAKELONG(55, 55), bar.SendMessage(TB_GETBUTTONSIZE));

    RECT barRect = ChildRect(dlg, bar);
    int height = barRect.bottom - barRect.top;
    EXPECT_EQ(0, barRect.top);
    EXPECT_GE(height, 55);

    RECT client;
    dlg.GetClientRect(&client);
    RECT templ = DialogUnits(dlg, {0, 0, 401, 255});
    EXPECT_EQ(templ.right, client.right) << "as wide as the template";
    EXPECT_EQ(templ.bottom + height, client.bottom) << "taller by the toolbar";

    struct Moved {
        int id;
        RECT dlu;
    } const controls[] = {{IDC_SHELL_TREE, {7, 10, 179, 159}},
                          {IDC_LIST_TREE, {221, 10, 393, 159}},
                          {IDC_OUTPUT_DIR, {53, 180, 336, 194}},
                          {IDOK, {239, 233, 293, 248}}};
    for (const Moved& c : controls) {
        SCOPED_TRACE(c.id);
        RECT want = DialogUnits(dlg, c.dlu);
        RECT got = ChildRect(dlg, dlg.GetDlgItem(c.id));
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top + height, got.top);
    }
    HWND line = FindWindowExA(dlg, nullptr, "Static", nullptr);
    while (line != nullptr && !(GetWindowLongA(line, GWL_STYLE) & SS_ETCHEDHORZ))
        line = FindWindowExA(dlg, line, "Static", nullptr);
    ASSERT_NE(nullptr, line);
    EXPECT_EQ(barRect.bottom, ChildRect(dlg, line).top) << "the etched line sits under the bar";
}

TEST_F(MainWindow, StartsWithWordTheDocumentsFolderAndTheFirstDirectionPressed) {
    dlg.ContinueModal();
    EXPECT_TRUE(Pressed(dlg.m_wndToolBar, ID_DIR_OFFICE_TO_QOR));
    EXPECT_FALSE(Pressed(dlg.m_wndToolBar, ID_DIR_QOR_TO_OFFICE));
    EXPECT_EQ("Word", dlg.GetDlgItemText(IDC_RADIO_WORD));
    EXPECT_EQ("Excel", dlg.GetDlgItemText(IDC_RADIO_EXCEL));
    EXPECT_EQ(static_cast<LRESULT>(BST_CHECKED),
              SendDlgItemMessageA(dlg, IDC_RADIO_WORD, BM_GETCHECK, 0, 0));
    CString documents = CConvertDlg::GetDefaultOutputDir();
    EXPECT_FALSE(documents.IsEmpty());
    EXPECT_EQ(Utf8(documents.str()), Utf8(dlg.GetDlgItemText(IDC_OUTPUT_DIR).str()));
    EXPECT_STREQ("Word文件 (*.doc;*.dot)|*.doc;*.dot||", dlg.m_shellTree.m_strFilter);
    EXPECT_FALSE(Enabled(IDC_STOP));
    HMENU sys = GetSystemMenu(dlg, FALSE);
    char text[64] = {};
    GetMenuStringA(sys, IDM_ABOUTBOX, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("关于 Tandrel(&A)...", text);
}

// A real change relabels the radio buttons and hands the new filter to the source tree, which
// rebuilds (the caret returns to the computer folder); a non-change rebuilds nothing.
TEST_F(MainWindow, DirectionAndKindSwitchesRelabelAndRefilterOnlyOnChange) {
    struct Step {
        int command;
        const char* word;
        const char* excel;
        const char* filter;
        bool rebuilds;
    } const steps[] = {
        {ID_DIR_OFFICE_TO_QOR, "Word", "Excel", "Word文件 (*.doc;*.dot)|*.doc;*.dot||", false},
        {ID_DIR_QOR_TO_OFFICE, "Qor", "LX", "Qor文件 (*.qor;*.qot)|*.qor;*.qot||", true},
        {IDC_RADIO_EXCEL, "Qor", "LX", "LX文件  (*.lx;*.lxt)|*.lx;*.lxt||", true},
        {IDC_RADIO_EXCEL, "Qor", "LX", "LX文件  (*.lx;*.lxt)|*.lx;*.lxt||", false},
        {ID_DIR_QOR_TO_OFFICE, "Qor", "LX", "LX文件  (*.lx;*.lxt)|*.lx;*.lxt||", false},
        {ID_DIR_OFFICE_TO_QOR, "Word", "Excel", "Excel文件 (*.xls;*.xlt)|*.xls;*.xlt||", true},
        {IDC_RADIO_WORD, "Word", "Excel", "Word文件 (*.doc;*.dot)|*.doc;*.dot||", true},
    };
    CShellTree& tree = dlg.m_shellTree;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.filter);
        tree.SelectItem(tree.GetRootItem());
        if (step.command == IDC_RADIO_WORD || step.command == IDC_RADIO_EXCEL)
            SendDlgItemMessageA(dlg, step.command, BM_CLICK, 0, 0);
        else
            dlg.SendMessage(WM_COMMAND, step.command);
        dlg.ContinueModal();
        EXPECT_STREQ(step.word, dlg.GetDlgItemText(IDC_RADIO_WORD));
        EXPECT_STREQ(step.excel, dlg.GetDlgItemText(IDC_RADIO_EXCEL));
        EXPECT_STREQ(step.filter, tree.m_strFilter);
        EXPECT_EQ(step.rebuilds, tree.GetSelectedItem() != tree.GetRootItem());
        bool qor = step.word[0] == 'Q';
        EXPECT_EQ(qor, Pressed(dlg.m_wndToolBar, ID_DIR_QOR_TO_OFFICE));
        EXPECT_EQ(!qor, Pressed(dlg.m_wndToolBar, ID_DIR_OFFICE_TO_QOR));
    }
}

TEST_F(MainWindow, ToolTipsNameEachButtonAndBothTrees) {
    struct Tip {
        UINT_PTR id;
        UINT flags;
        const char* text;
    } const tips[] = {
        {ID_DIR_QOR_TO_OFFICE, 0, "OrvaneQor Office文件转MS Office文件"},
        {ID_DIR_OFFICE_TO_QOR, 0, "MS Office文件转为OrvaneQor Office文件"},
        {ID_APP_ABOUT, 0, "关于"},
        {reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(IDC_SHELL_TREE)), TTF_IDISHWND,
         "请选择要转换的文件或文件夹"},
        {reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(IDC_LIST_TREE)), TTF_IDISHWND,
         "请选择您要删除的目录或文件"},
        {reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(IDC_START)), TTF_IDISHWND, ""},
    };
    for (const Tip& tip : tips) {
        SCOPED_TRACE(Utf8(tip.text));
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = dlg.GetToolTipCtrl();
        info.hdr.idFrom = tip.id;
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = tip.flags;
        dlg.SendMessage(WM_NOTIFY, tip.id, reinterpret_cast<LPARAM>(&info));
        std::string shown = info.szText;
        if (IS_INTRESOURCE(info.lpszText) && info.lpszText != nullptr) {
            char buf[80] = {};
            LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)),
                        buf, sizeof(buf));
            shown = buf;
        }
        EXPECT_EQ(Utf8(tip.text), Utf8(shown));
    }
    EXPECT_GE(SendMessageA(dlg.GetToolTipCtrl(), TTM_GETTOOLCOUNT, 0, 0), 2);

    // A tip shows when the pointer rests on a tree: the tree hands its mouse moves on.
    HWND list = dlg.GetDlgItem(IDC_LIST_TREE);
    RECT rc;
    GetWindowRect(list, &rc);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    SetCursorPos(pt.x, pt.y);
    POINT inside = pt;
    ScreenToClient(list, &inside);
    SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(dlg.GetToolTipCtrl()) != FALSE; }, 5000));
    // The tip lies over the tree's next rows; a click there reaches the tree, not the tip.
    GetWindowRect(dlg.GetToolTipCtrl(), &rc);
    EXPECT_EQ(list, WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
}

// Esc and the close request only minimize; Enter moves to the output folder and starts nothing.
TEST_F(MainWindow, EscAndCloseMinimizeEnterFocusesTheOutputFolder) {
    HWND tree = dlg.GetDlgItem(IDC_SHELL_TREE);
    SetFocus(tree);
    PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages(20);
    EXPECT_EQ(dlg.GetDlgItem(IDC_OUTPUT_DIR), GetFocus());
    EXPECT_EQ(0u, boxes->Count()) << "Enter pressed no button";

    const std::function<void()> closers[] = {
        [&] { PostMessageA(tree, WM_KEYDOWN, VK_ESCAPE, 0); },
        [&] { dlg.PostMessage(WM_CLOSE); },
        [&] { dlg.PostMessage(WM_SYSCOMMAND, SC_CLOSE); },
    };
    for (const auto& close : closers) {
        dlg.ShowWindow(SW_RESTORE);
        PumpMessages(20);
        close();
        PumpMessages(50);
        EXPECT_TRUE(dlg.IsIconic());
        EXPECT_TRUE(IsWindow(dlg));
    }
}

// Every toolbar button shows its own picture of bitmap 146 when the window is painted again, as
// a screenshot of the demo does, at the start and after a job.
TEST_F(MainWindow, TheToolBarShowsEachPictureBeforeAndAfterAJob) {
    OfficeSim sim;
    OfficeSim::WriteDoc(src / "a.doc", "doc", "1");
    AddEntry(src / "a.doc", CT_WORD_TO_QOR, 1);
    dlg.SetDlgItemText(IDC_OUTPUT_DIR, out.path().c_str());
    dlg.ShowWindow(SW_RESTORE);
    SetForegroundWindow(dlg);
    struct Moment {
        bool afterJob;
        const char* shot;
    } const moments[] = {{false, "main-dialog.bmp"}, {true, "main-dialog-after-job.bmp"}};
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.shot);
        if (moment.afterJob) {
            ASSERT_TRUE(StartAndWait());
        }
        dlg.ContinueModal();
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages(100);
        ASSERT_TRUE(CaptureWindow(dlg, moment.shot));
        for (int i = 0; i < dlg.m_wndToolBar.GetCount(); ++i)
            EXPECT_TRUE(ShowsPicture(dlg, dlg.m_wndToolBar, i)) << "button " << i;
    }
}

namespace {

VOID CALLBACK ClickClose(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hWnd, id);
    SendMessageA(GetDlgItem(hWnd, IDOK), BM_CLICK, 0, 0);
}

class ClosingDialog : public CConvertDlg {
protected:
    BOOL OnInitDialog() override {
        BOOL focus = CConvertDlg::OnInitDialog();
        SetTimer(m_hWnd, 1, 50, &ClickClose);
        return focus;
    }
};

} // namespace

TEST(MainWindowLifetime, CloseButtonEndsTheModalDialog) {
    ClosingDialog dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

namespace {

HWND g_aboutSeen = nullptr;

// Runs inside the About box's own modal loop: notes the box and closes it as a click would.
VOID CALLBACK CloseAbout(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    if (box == nullptr || GetDlgItem(box, IDC_SOFTNAME) == nullptr)
        return;
    KillTimer(nullptr, id);
    g_aboutSeen = box;
    PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
}

} // namespace

TEST_F(MainWindow, AboutBoxOpensFromTheToolBarAndTheSystemMenu) {
    const std::function<void()> openers[] = {
        [&] { dlg.SendMessage(WM_COMMAND, ID_APP_ABOUT); },
        [&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX); },
    };
    for (const auto& open : openers) {
        g_aboutSeen = nullptr;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAbout);
        open();
        KillTimer(nullptr, timer);
        EXPECT_NE(nullptr, g_aboutSeen);
        EXPECT_FALSE(IsWindow(g_aboutSeen)) << "the box is gone when its opener returns";
    }
}
