#pragma once
// A window handle with virtual message handlers. Handlers run from one WindowProc switch; the
// object is found again from the handle through a map of the process while it is subclassed.
#include "framework/CString.h"

#include <windows.h>

class CCmdUI;

// Modes of RepositionBars.
enum { reposDefault = 0, reposQuery = 1 };

class CWnd {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object that subclassed hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void SetWindowText(const char* text);
    CString GetWindowText() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    HWND GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, const char* text);
    CString GetDlgItemText(int nID) const;
    HWND GetParent() const;
    HWND SetFocus();
    BOOL DestroyWindow();
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add);
    void GetClientRect(RECT* rc) const;
    void GetWindowRect(RECT* rc) const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE);
    void SetFont(HFONT font, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    void Invalidate(BOOL bErase = TRUE);
    // Off, the window stops painting its changes; back on, call Invalidate for one repaint.
    void SetRedraw(BOOL bRedraw = TRUE);

    // Lays the control bars among the children with IDs nIDFirst..nIDLast along the top of the
    // client area; with reposQuery only reports in *lpRectParam the client area they leave.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        RECT* lpRectParam = nullptr);
    // A control bar's size within its parent; zero for windows that are not bars.
    virtual SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Tool tips for the child controls that exist now; each tip asks this window for its text
    // with TTN_NEEDTEXTA, the tool identified by the child's handle.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    HWND GetToolTipCtrl() const { return m_hWndToolTip; }
    // Hands a mouse message of the loop to the tool tips, which learn so where the pointer rests
    // (a tip that subclassed its tools would instead cost every message of theirs a property
    // lookup in the window server).
    void FilterToolTipMessage(MSG* pMsg) const;

    // Command routing for user-interface updates: TRUE when this window set the item's state;
    // HasCommandHandler says whether a command reaches a handler at all.
    virtual BOOL OnUpdateCommandUI(CCmdUI*) { return FALSE; }
    virtual BOOL HasCommandHandler(UINT) const { return FALSE; }

protected:
    // The message map: derived classes switch on the messages they handle and call the base.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure (or the system default), as if we had never seen the message.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Offers the notification to the child that sent it first (reflection), as the child's
    // OnChildNotify decides; returns TRUE with *pResult set when someone handled it.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Runs once the window is subclassed, before any message reaches the object.
    virtual void PreSubclassWindow() {}
    // Runs after the window is gone; self-deleting windows delete themselves here.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    WNDPROC m_pfnSuper = nullptr;
    HWND m_hWndToolTip = nullptr;
};
