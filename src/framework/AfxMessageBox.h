#pragma once
// Every message box of the program goes through here, so that tests can read and answer them.
#include <windows.h>

using MessageBoxHandler = int (*)(HWND hOwner, const char* text, const char* caption, UINT type);

// Installs a handler that replaces the real box (null restores it); returns the previous one.
MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler);

// A box owned by the application's main window, captioned with the application's name.
int AfxMessageBox(const char* text, UINT nType = MB_OK, UINT nIDHelp = 0);
// The plain MessageBoxA, for callers that choose their own owner and caption.
int AfxShowMessageBox(HWND hOwner, const char* text, const char* caption, UINT nType);
