#include "app/ConvertDlg.h"

#include "UiPump.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// The layout's anchors: a template whose dialog unit or positions went wrong moves them.
struct ControlLayout {
    int id;
    const char* className;
    RECT dlu; // x, y, width, height
};

const ControlLayout kAnchors[] = {
    {IDC_SHELL_TREE, "SysTreeView32", {7, 10, 172, 149}},
    {IDC_LIST_TREE, "SysTreeView32", {221, 10, 172, 149}},
    {IDC_PROGRESS, "msctls_progress32", {52, 209, 341, 14}},
};

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
        PumpMessages(50);
    }
    void TearDown() override { dlg.DestroyWindow(); }

    RECT ChildRect(int id) {
        RECT rc;
        GetWindowRect(dlg.GetDlgItem(id), &rc);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    CConvertDlg dlg;
};

} // namespace

TEST_F(MainWindow, TemplateCaptionStyleAndIcon) {
    EXPECT_STREQ("批量转换工具", dlg.GetWindowText());
    DWORD style = dlg.GetStyle();
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(0, dlg.SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_NE(0, dlg.SendMessage(WM_GETICON, ICON_SMALL));

    RECT client;
    dlg.GetClientRect(&client);
    RECT expected = {0, 0, 401, 255};
    MapDialogRect(dlg, &expected);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);
}

TEST_F(MainWindow, TheTreesAndTheProgressBarSitAtTheirDialogUnitPositions) {
    for (const ControlLayout& control : kAnchors) {
        SCOPED_TRACE(control.id);
        HWND ctrl = dlg.GetDlgItem(control.id);
        ASSERT_NE(nullptr, ctrl);
        char cls[64] = {};
        GetClassNameA(ctrl, cls, sizeof(cls));
        EXPECT_STREQ(control.className, cls);
        // The dialog manager converts origin and size separately, as MapDialogRect does each field.
        RECT want = control.dlu;
        MapDialogRect(dlg, &want);
        RECT got = ChildRect(control.id);
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right - got.left);
        EXPECT_EQ(want.bottom, got.bottom - got.top);
    }
}

TEST_F(MainWindow, ControlStylesFollowTheTemplate) {
    auto style = [&](int id) {
        return static_cast<DWORD>(GetWindowLongA(dlg.GetDlgItem(id), GWL_STYLE));
    };
    EXPECT_FALSE(CWnd(dlg.GetDlgItem(IDC_STOP)).IsWindowEnabled()) << "Stop starts disabled";
    EXPECT_TRUE(CWnd(dlg.GetDlgItem(IDC_START)).IsWindowEnabled());
    DWORD source = style(IDC_SHELL_TREE);
    EXPECT_EQ(
        static_cast<DWORD>(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_FULLROWSELECT),
        source &
            (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_FULLROWSELECT | TVS_CHECKBOXES));
    DWORD list = style(IDC_LIST_TREE);
    EXPECT_TRUE(list & TVS_CHECKBOXES);
    EXPECT_TRUE(list & TVS_INFOTIP);
    EXPECT_FALSE(list & (TVS_HASLINES | TVS_HASBUTTONS));
    EXPECT_FALSE(style(IDC_OUTPUT_DIR) & WS_TABSTOP);
    EXPECT_TRUE(style(IDC_OUTPUT_DIR) & ES_AUTOHSCROLL);
    EXPECT_TRUE(style(IDC_RADIO_WORD) & WS_GROUP);
    EXPECT_EQ(static_cast<DWORD>(BS_AUTORADIOBUTTON), style(IDC_RADIO_EXCEL) & BS_TYPEMASK);
}

TEST_F(MainWindow, ScreenshotShowsTheDialogWithItsText) {
    SetForegroundWindow(dlg);
    PumpMessages(300);
    ASSERT_TRUE(CaptureWindow(dlg, "main-dialog.bmp"));
    // Caption bar, the two labels and the Close button carry drawn text, not a flat fill.
    RECT window;
    dlg.GetWindowRect(&window);
    RECT caption = {0, 0, window.right - window.left, GetSystemMetrics(SM_CYCAPTION)};
    EXPECT_GT(CountColours(dlg, caption), 2);
    RECT close = ChildRect(IDOK);
    POINT origin = {0, 0};
    ClientToScreen(dlg, &origin);
    OffsetRect(&close, origin.x - window.left, origin.y - window.top);
    EXPECT_GT(CountColours(dlg, close), 2);
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

TEST_F(MainWindow, StartsWithWordSelectedTheDocumentsFolderAndTheSourceTreeFilled) {
    EXPECT_EQ(static_cast<LRESULT>(BST_CHECKED),
              SendDlgItemMessageA(dlg, IDC_RADIO_WORD, BM_GETCHECK, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(BST_UNCHECKED),
              SendDlgItemMessageA(dlg, IDC_RADIO_EXCEL, BM_GETCHECK, 0, 0));
    CString documents = CConvertDlg::GetDefaultOutputDir();
    EXPECT_FALSE(documents.IsEmpty());
    EXPECT_EQ(Utf8(documents.str()), Utf8(dlg.GetDlgItemText(IDC_OUTPUT_DIR).str()));
    HWND tree = dlg.GetDlgItem(IDC_SHELL_TREE);
    EXPECT_GT(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0) << "the desktop's children are listed";
    EXPECT_NE(0, SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))
        << "the computer folder is the caret";
    EXPECT_EQ(0, SendMessageA(dlg.GetDlgItem(IDC_LIST_TREE), TVM_GETCOUNT, 0, 0));
}

TEST(SourceFilter, FollowsTheDirectionAndKind) {
    EXPECT_STREQ("Qor文件 (*.qor;*.qot)|*.qor;*.qot||",
                 CConvertDlg::GetSourceFilter(DIR_QOR_TO_OFFICE, 0));
    EXPECT_STREQ("LX文件  (*.lx;*.lxt)|*.lx;*.lxt||",
                 CConvertDlg::GetSourceFilter(DIR_QOR_TO_OFFICE, 1));
    EXPECT_STREQ("Word文件 (*.doc;*.dot)|*.doc;*.dot||",
                 CConvertDlg::GetSourceFilter(DIR_OFFICE_TO_QOR, 0));
    EXPECT_STREQ("Excel文件 (*.xls;*.xlt)|*.xls;*.xlt||",
                 CConvertDlg::GetSourceFilter(DIR_OFFICE_TO_QOR, 1));
    EXPECT_STREQ("Word文件 (*.doc;*.dot)|*.doc;*.dot||", CConvertDlg::GetSourceFilter(0, 0))
        << "any other direction";
    EXPECT_EQ(CT_QOR_TO_WORD, CConvertDlg::GetConvertType(DIR_QOR_TO_OFFICE, 0));
    EXPECT_EQ(CT_LX_TO_EXCEL, CConvertDlg::GetConvertType(DIR_QOR_TO_OFFICE, 1));
    EXPECT_EQ(CT_WORD_TO_QOR, CConvertDlg::GetConvertType(DIR_OFFICE_TO_QOR, 0));
    EXPECT_EQ(CT_EXCEL_TO_LX, CConvertDlg::GetConvertType(DIR_OFFICE_TO_QOR, 5));
}
