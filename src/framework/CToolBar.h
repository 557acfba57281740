#pragma once
// A toolbar along the top of its parent, loaded from a TOOLBAR resource and its bitmap. Buttons
// send WM_COMMAND to the parent; OnUpdateCmdUI asks the parent for each button's state.
#include "framework/CWnd.h"

#include <commctrl.h>

#include <vector>

// Bar styles, kept by the bar itself rather than given to the window.
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT TBBS_CHECKGROUP = BTNS_CHECKGROUP;

// The button layout of a TOOLBAR resource: image size and command IDs (0 for a separator).
struct ToolBarLayout {
    SIZE sizeImage = {0, 0};
    std::vector<UINT> ids;
};

class CToolBar : public CWnd {
public:
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, RECT rcBorders, UINT nID);
    BOOL LoadToolBar(UINT nIDResource);
    // Reads both layouts in use: 16-bit fields after a version word, or 32-bit fields without.
    static BOOL ParseToolBarResource(const BYTE* data, DWORD size, ToolBarLayout& layout);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    DWORD GetBarStyle() const { return m_dwBarStyle; }

    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler);
    SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

private:
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;

    DWORD m_dwBarStyle = 0;
    RECT m_rcBorders = {0, 0, 0, 0};
};
