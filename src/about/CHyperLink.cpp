#include "about/CHyperLink.h"

#include "res/resource.h"

namespace {

// The same face and size as the label's own font, underlined; null when it has none.
HFONT CreateUnderlinedFont(HFONT font) {
    LOGFONTA lf = {};
    if (font == nullptr || GetObjectA(font, sizeof(lf), &lf) == 0)
        return nullptr;
    lf.lfUnderline = TRUE;
    return CreateFontIndirectA(&lf);
}

} // namespace

LRESULT CHyperLink::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        OnSetCursor();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return CWnd::WindowProc(msg, wParam, lParam);
    }
}

void CHyperLink::OnSetCursor() {
    // Behind another window the link is not clickable, so it keeps the ordinary cursor.
    if (::GetActiveWindow() != GetParent())
        return;
    ::SetCursor(::LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDCURSOR)));
    ::ShowCursor(TRUE);
}

void CHyperLink::OnPaint() {
    if ((GetStyle() & SS_TYPEMASK) != SS_LEFT) {
        DefWindowProc(WM_PAINT, 0, 0);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 255));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    HFONT underlined = CreateUnderlinedFont(GetFont());
    HGDIOBJ oldFont = underlined ? SelectObject(dc, underlined) : nullptr;
    // Nothing is erased first: the picture under the label shows through.
    CString text = GetWindowText();
    if (!text.IsEmpty())
        TextOutA(dc, 0, 0, text, text.GetLength());
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    if (underlined != nullptr)
        DeleteObject(underlined);
    EndPaint(m_hWnd, &ps);
}
