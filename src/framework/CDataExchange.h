#pragma once
// Moves values between a dialog's controls and its members, in the direction UpdateData names.
#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Subclasses control nIDC into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// value is the index of the checked button in the radio group that starts at nIDC, or -1.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
