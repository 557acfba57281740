#pragma once
// Every address the program hands to the shell goes through here, so that tests can see what
// would be opened without starting a browser or a mail program.
#include <windows.h>

using ShellOpenHandler = void (*)(HWND hOwner, const char* address);

// Installs a handler that replaces the shell (null restores it); returns the previous one.
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);

// Asks the shell to open a web or "mailto:" address with its registered program.
void ShellOpen(HWND hOwner, const char* address);
