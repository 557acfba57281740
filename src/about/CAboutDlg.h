#pragma once
// The About box: a borderless picture with the product's name, version and addresses written
// over its lower part, the addresses as links. Any click on it closes it.
#include "about/CHyperLink.h"
#include "framework/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // What the layout depends on, so that it can be shown with other base units and pictures.
    virtual LONG GetBaseUnits() const { return ::GetDialogBaseUnits(); }
    virtual HBITMAP LoadPicture() const;

    CString m_strSoftName;
    CString m_strHomePage;
    CString m_strVersion;
    CString m_strSupport;
    CString m_strProductHomePage;
    CString m_strCopyright;
    CString m_strCompany;
    HBITMAP m_bitmap = nullptr;
    RECT m_rcWindow = {};
    HFONT m_font = nullptr;
    CHyperLink m_linkHomePage;
    CHyperLink m_linkSupport;
    CHyperLink m_linkProductHomePage;

private:
    void LoadTexts();
    void LayOutChildren(int nOffset);
    void AttachLinks();
    void SetTexts();
    void SizeToPicture(int cx, int cy);

    void OnPaint();
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnHomePage();
    void OnSupport();
    void OnProductHomePage();
    void OpenLinkAndClose(const CString& address);
};
