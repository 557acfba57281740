#include "framework/CWinApp.h"
#include "app/ConvertApp.h"

// The one application object.
CConvertApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}
