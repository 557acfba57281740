#include "framework/CCmdUI.h"

#include "framework/CToolBar.h"

// The modal loop asks before every message: only a real change may repaint the button.
void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    BOOL enabled = (m_pOther->SendMessage(TB_GETSTATE, m_nID) & TBSTATE_ENABLED) != 0;
    if (enabled != (bOn != FALSE))
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn != FALSE, 0));
}

void CCmdUI::SetCheck(int nCheck) {
    BOOL checked = (m_pOther->SendMessage(TB_GETSTATE, m_nID) & TBSTATE_CHECKED) != 0;
    if (checked != (nCheck != 0))
        m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0));
}

void CCmdUI::DoUpdate(CWnd* pTarget, BOOL bDisableIfNoHndler) {
    m_bEnableChanged = FALSE;
    if (pTarget->OnUpdateCommandUI(this))
        return;
    if (bDisableIfNoHndler && !m_bEnableChanged)
        Enable(pTarget->HasCommandHandler(m_nID));
}
