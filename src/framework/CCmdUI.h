#pragma once
// One user-interface item (here a toolbar button) asked to show the state of its command.
#include <windows.h>

class CToolBar;
class CWnd;

class CCmdUI {
public:
    CCmdUI(CToolBar* pOther, UINT nID, int nIndex)
        : m_pOther(pOther), m_nID(nID), m_nIndex(nIndex) {}

    void Enable(BOOL bOn = TRUE);
    void SetCheck(int nCheck = 1);
    void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    // Asks pTarget for the state; with bDisableIfNoHndler a command nobody handles is disabled.
    void DoUpdate(CWnd* pTarget, BOOL bDisableIfNoHndler);

    CToolBar* m_pOther;
    UINT m_nID;
    int m_nIndex;

private:
    BOOL m_bEnableChanged = FALSE;
};
