#include "framework/CWinApp.h"

#include "framework/CDialog.h"
#include "framework/MbcsText.h"

#include <commctrl.h>

namespace {

CWinApp* g_app = nullptr;

CString ExecutableBaseName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(mbcs::SplitPath(path).fname);
}

} // namespace

CWinApp::CWinApp(const char* pszAppName) {
    m_strAppName = pszAppName ? CString(pszAppName) : ExecutableBaseName();
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

const char* AfxGetAppName() {
    static const CString fallback = ExecutableBaseName();
    return g_app ? static_cast<const char*>(g_app->m_strAppName)
                 : static_cast<const char*>(fallback);
}

int AfxWinMain() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
