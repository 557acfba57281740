#pragma once
#include "CDialog.h"

// The main window: both trees, the direction and kind, the output folder and job control.
class CConvertDlg : public CDialog {
public:
    explicit CConvertDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HICON m_hIcon;
};
