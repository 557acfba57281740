#pragma once
// The application object: one global instance, whose InitInstance the program's entry runs.
#include "framework/CString.h"
#include "framework/CWnd.h"

class CWinApp {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop when InitInstance returns TRUE; the exit code otherwise.
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    CString m_strAppName;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's name; without an application object, the executable's base name.
const char* AfxGetAppName();
// Entry for the program's WinMain.
int AfxWinMain();
