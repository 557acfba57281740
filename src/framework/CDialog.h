#pragma once
// A dialog from a resource template, modal (with its own loop, so ContinueModal and
// PreTranslateMessage take part as they do in MFC) or modeless.
#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL ContinueModal() { return m_bContinueModal; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL CreateFromTemplate(HWND hParent);
    void RunModalLoop();
    static INT_PTR CALLBACK StaticDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    BOOL m_bModal = FALSE;
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;
};

// Gives every window from pMsg's target up to its top-level window's CDialog a chance to
// translate the message, as a message loop of the program must before dispatching it.
BOOL AfxPreTranslateMessage(MSG* pMsg);
