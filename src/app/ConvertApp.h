#pragma once
#include "framework/CWinApp.h"

// Runs the main dialog modally; the program ends when it closes.
class CConvertApp : public CWinApp {
public:
    CConvertApp() : CWinApp(nullptr) {}
    BOOL InitInstance() override;
};
