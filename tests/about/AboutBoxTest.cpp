#include "about/CAboutDlg.h"
#include "about/ShellOpen.h"

#include "UiPump.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kStillOpen = -2;

std::vector<std::string> g_opened;

void RecordOpen(HWND, const char* address) {
    g_opened.push_back(address);
}

// The About box with the base units and picture size chosen by the test (zero: the real ones),
// and a script that runs once the box is on the screen and painted.
class TestAboutBox : public CAboutDlg {
public:
    ~TestAboutBox() override { DestroyWindow(); }

    LONG m_baseUnits = 0;
    SIZE m_picture = {};
    std::function<void(TestAboutBox&)> m_script;

    HWND Label(int id, const char* caption = nullptr) const {
        return caption ? FindWindowExA(m_hWnd, nullptr, "Static", caption) : GetDlgItem(id);
    }
    RECT ClientRectOf(HWND child) const {
        RECT rc;
        ::GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    HFONT Font() const { return m_font; }

protected:
    LONG GetBaseUnits() const override {
        return m_baseUnits ? m_baseUnits : CAboutDlg::GetBaseUnits();
    }
    HBITMAP LoadPicture() const override {
        return m_picture.cx ? CreateBitmap(m_picture.cx, m_picture.cy, 1, 32, nullptr)
                            : CAboutDlg::LoadPicture();
    }
    BOOL OnInitDialog() override {
        BOOL focus = CAboutDlg::OnInitDialog();
        if (m_script) {
            // Timers come after painting; the second one ends a box that did not close.
            SetTimer(m_hWnd, 1, 1, &RunScript);
            SetTimer(m_hWnd, 2, 3000, &RunScript);
        }
        return focus;
    }

private:
    static VOID CALLBACK RunScript(HWND hWnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hWnd, id);
        auto* box = dynamic_cast<TestAboutBox*>(CWnd::FromHandlePermanent(hWnd));
        if (id == 2)
            box->EndDialog(kStillOpen);
        else
            box->m_script(*box);
    }
};

class AboutBox : public testing::Test {
protected:
    void SetUp() override {
        g_opened.clear();
        SetShellOpenHandler(&RecordOpen);
    }
    void TearDown() override { SetShellOpenHandler(nullptr); }
};

struct Control {
    int id;
    const char* caption; // the fixed captions have no ID of their own
    RECT dlu;            // x, y, width, height
    UINT textId;
};

const Control kControls[] = {
    {IDC_SOFTNAME, nullptr, {1, 82, 113, 8}, IDS_SOFTNAME},
    {0, "版本号:", {1, 93, 39, 8}, 0},
    {IDC_VERSION, nullptr, {44, 93, 94, 8}, IDS_VERSION},
    {0, "主页网址:", {138, 82, 39, 8}, 0},
    {IDC_HOMEPAGE, nullptr, {181, 82, 91, 8}, IDS_HOMEPAGE},
    {0, "技术支持:", {139, 104, 39, 8}, 0},
    {IDC_SUPPORT, nullptr, {182, 104, 94, 8}, IDS_SUPPORT},
    {IDC_COPYRIGHT, nullptr, {1, 104, 135, 8}, IDS_COPYRIGHT},
    {IDC_COMPANY, nullptr, {1, 115, 135, 8}, IDS_COMPANY},
    {IDC_PRODUCT_HOMEPAGE, nullptr, {181, 93, 91, 8}, IDS_PRODUCT_HOMEPAGE},
};

CString Text(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

TEST_F(AboutBox, LabelsKeepTheirDistanceFromTheProductNameOverThePicturesLowerBand) {
    const struct {
        const char* what;
        LONG baseUnits;
        SIZE picture, box;
        POINT softName;
    } cases[] = {
        {"the system's base units, bitmap 138", 0, {}, {452, 325}, {10, 230}},
        {"base units 8 and 16", MAKELONG(8, 16), {}, {452, 325}, {10, 230}},
        {"base units 16 and 32", MAKELONG(16, 32), {}, {452, 325}, {10, 230}},
        {"a picture 100 pixels high", MAKELONG(8, 16), {300, 100}, {300, 100}, {10, 25}},
        {"a picture 121 pixels high", MAKELONG(8, 16), {200, 121}, {200, 121}, {10, 26}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestAboutBox box;
        box.m_baseUnits = c.baseUnits;
        box.m_picture = c.picture;
        ASSERT_TRUE(box.Create(IDD_ABOUTBOX));
        RECT window;
        box.GetWindowRect(&window);
        EXPECT_EQ(c.box.cx, window.right - window.left);
        EXPECT_EQ(c.box.cy, window.bottom - window.top);

        // Pixel distances in the template scale by 8 / bx across and 16 / by down.
        LONG units = c.baseUnits ? c.baseUnits : GetDialogBaseUnits();
        double sx = 8.0 / LOWORD(units), sy = 16.0 / HIWORD(units);
        RECT anchor = kControls[0].dlu;
        MapDialogRect(box, &anchor);
        for (const Control& control : kControls) {
            SCOPED_TRACE(control.caption ? Utf8(control.caption) : std::to_string(control.id));
            HWND label = box.Label(control.id, control.caption);
            ASSERT_NE(nullptr, label);
            RECT want = control.dlu;
            MapDialogRect(box, &want);
            RECT got = box.ClientRectOf(label);
            EXPECT_NEAR(c.softName.x + (want.left - anchor.left) * sx, got.left, 1);
            EXPECT_NEAR(c.softName.y + (want.top - anchor.top) * sy, got.top, 1);
            EXPECT_NEAR(want.right * sx, got.right - got.left, 1);
            EXPECT_NEAR(want.bottom * sy, got.bottom - got.top, 1);
            EXPECT_EQ(box.Font(), CWnd(label).GetFont());
            if (control.textId) {
                EXPECT_EQ(Utf8(Text(control.textId).str()),
                          Utf8(CWnd(label).GetWindowText().str()));
            }
        }
        RECT softName = box.ClientRectOf(box.GetDlgItem(IDC_SOFTNAME));
        EXPECT_EQ(c.softName.x, softName.left);
        EXPECT_EQ(c.softName.y, softName.top);
    }
}

namespace {

SIZE TextSize(HFONT font, const CString& text) {
    SIZE size = {};
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    GetTextExtentPoint32A(screen, text, text.GetLength(), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size;
}

} // namespace

TEST_F(AboutBox, ScreenshotShowsTheLabelsOverThePictureAndTheLinksBlueAndUnderlined) {
    TestAboutBox box;
    ASSERT_TRUE(box.Create(IDD_ABOUTBOX));
    box.ShowWindow(SW_SHOW);
    PumpMessages(300);
    ASSERT_TRUE(CaptureWindow(box, "about-box.bmp"));
    int cx = 0, cy = 0;
    std::vector<COLORREF> shown = WindowPixels(box, &cx, &cy);
    int pictureCx = 0, pictureCy = 0;
    std::vector<COLORREF> picture = BitmapPixels(IDB_ABOUT, &pictureCx, &pictureCy);
    ASSERT_EQ(452, cx);
    ASSERT_EQ(cx, pictureCx);
    EXPECT_TRUE(std::equal(picture.begin(), picture.begin() + 200 * cx, shown.begin()));
    for (const Control& control : kControls) {
        SCOPED_TRACE(control.caption ? Utf8(control.caption) : std::to_string(control.id));
        HWND label = box.Label(control.id, control.caption);
        RECT rc = box.ClientRectOf(label);
        int same = 0, differ = 0, blue = 0, longestBlueRun = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left, run = 0; x < std::min<int>(rc.right, cx); ++x) {
                size_t i = static_cast<size_t>(y * cx + x);
                ++(shown[i] == picture[i] ? same : differ);
                run = shown[i] == RGB(0, 0, 255) ? run + 1 : 0;
                blue += run > 0;
                longestBlueRun = std::max(longestBlueRun, run);
            }
        }
        EXPECT_GT(same, differ) << "no background of its own: the picture shows through";
        EXPECT_GT(differ, 20) << "its text is drawn";
        if (control.id == IDC_HOMEPAGE || control.id == IDC_SUPPORT ||
            control.id == IDC_PRODUCT_HOMEPAGE) {
            SIZE text = TextSize(box.Font(), CWnd(label).GetWindowText());
            EXPECT_LE(rc.left + text.cx, cx) << "the whole address is visible";
            EXPECT_GE(longestBlueRun, text.cx - 2) << "underlined in blue";
        } else {
            EXPECT_EQ(0, blue);
        }
    }
}

TEST_F(AboutBox, LinksShowTheHandCursorOnlyWhileTheBoxIsTheActiveWindow) {
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDCURSOR));
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(nullptr, info.hbmColor) << "monochrome";
    EXPECT_EQ(32, mask.bmWidth);
    EXPECT_EQ(64, mask.bmHeight) << "AND and XOR masks of 32 rows each";
    EXPECT_EQ(6u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    DeleteObject(info.hbmMask);

    TestAboutBox box;
    ASSERT_TRUE(box.Create(IDD_ABOUTBOX));
    box.ShowWindow(SW_SHOW);
    CWnd other(CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr));
    for (bool active : {true, false}) {
        HWND activated = active ? box.m_hWnd : other.m_hWnd;
        SetActiveWindow(activated);
        ASSERT_EQ(activated, GetActiveWindow());
        for (int id : {IDC_HOMEPAGE, IDC_SUPPORT, IDC_PRODUCT_HOMEPAGE}) {
            SetCursor(arrow);
            HWND link = box.GetDlgItem(id);
            EXPECT_EQ(0, SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
            EXPECT_EQ(active ? hand : arrow, GetCursor()) << id << (active ? " active" : "");
        }
    }
    other.DestroyWindow();
}

TEST_F(AboutBox, AClickOnALinkOpensItsAddressAndAnyClickClosesTheBox) {
    const struct {
        int id;
        const char* caption;
        std::string opened;
    } cases[] = {
        {IDC_SOFTNAME, nullptr, ""},
        {IDC_VERSION, nullptr, ""},
        {IDC_COPYRIGHT, nullptr, ""},
        {IDC_COMPANY, nullptr, ""},
        {0, "版本号:", ""},
        {0, "主页网址:", ""},
        {0, "技术支持:", ""},
        {0, nullptr, ""}, // the picture
        {IDC_HOMEPAGE, nullptr, Text(IDS_HOMEPAGE).str()},
        {IDC_SUPPORT, nullptr, "mailto:" + Text(IDS_SUPPORT).str()},
        {IDC_PRODUCT_HOMEPAGE, nullptr, Text(IDS_PRODUCT_HOMEPAGE).str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption ? Utf8(c.caption) : std::to_string(c.id));
        g_opened.clear();
        TestAboutBox box;
        box.m_script = [&c](TestAboutBox& self) {
            RECT rc = {200, 60, 240, 100};
            if (c.id || c.caption)
                rc = self.ClientRectOf(self.Label(c.id, c.caption));
            POINT at = {rc.left + 8, (rc.top + rc.bottom) / 2};
            ClientToScreen(self, &at);
            SetCursorPos(at.x, at.y);
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, click, sizeof(INPUT));
        };
        EXPECT_EQ(IDOK, box.DoModal());
        std::vector<std::string> expected;
        if (!c.opened.empty())
            expected.push_back(c.opened);
        EXPECT_EQ(expected, g_opened);
    }
}

namespace {

// Live GDI objects and windows of this process. Wine's GetGuiResources answers 0; there the
// handle table is walked instead, whose slots a handle's low word alone names.
DWORD GdiObjects() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0)
        return count;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<DWORD*>(counter);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND hWnd, LPARAM counter) {
    EnumChildWindows(hWnd, &CountWindow, counter);
    return CountWindow(hWnd, counter);
}

DWORD UserObjects() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (count == 0)
        EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndChildren,
                          reinterpret_cast<LPARAM>(&count));
    return count;
}

// Opens the box and clicks the picture once it is painted; the counts while it is open go
// to *gdiOpen and *userOpen.
int OpenAndCloseOnce(DWORD* gdiOpen = nullptr, DWORD* userOpen = nullptr) {
    TestAboutBox box;
    box.m_script = [=](TestAboutBox& self) {
        if (gdiOpen)
            *gdiOpen = GdiObjects();
        if (userOpen)
            *userOpen = UserObjects();
        self.SendMessage(WM_LBUTTONDOWN);
    };
    return static_cast<int>(box.DoModal());
}

} // namespace

TEST_F(AboutBox, TwoHundredOpeningsLeaveTheGuiObjectCountsFlat) {
    ASSERT_EQ(IDOK, OpenAndCloseOnce());
    DWORD gdi = GdiObjects(), user = UserObjects(), gdiOpen = 0, userOpen = 0;
    ASSERT_EQ(IDOK, OpenAndCloseOnce(&gdiOpen, &userOpen));
    EXPECT_GT(gdiOpen, gdi + 1) << "the counts see the box's bitmap and font";
    EXPECT_GE(userOpen, user + 11) << "the counts see the box and its ten labels";
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(IDOK, OpenAndCloseOnce()) << i;
    EXPECT_EQ(gdi, GdiObjects());
    EXPECT_EQ(user, UserObjects());
}
