#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Handles this thread's pending messages (sent and posted) for about ms milliseconds.
void PumpMessages(DWORD ms = 0);
// Pumps until done() or the time limit; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
// Pixels of a window as the screen shows them, saved as a 24-bit BMP; returns false on failure.
bool CaptureWindow(HWND hWnd, const std::string& bmpPath);
// Colours of a window's pixels as the screen shows them, row by row from its top-left corner.
std::vector<COLORREF> WindowPixels(HWND hWnd, int* width, int* height);
// Colours of a bitmap resource of this program, row by row from its top-left corner.
std::vector<COLORREF> BitmapPixels(UINT id, int* width, int* height);
// Number of distinct colours in a rectangle of a captured window (a blank area has one).
int CountColours(HWND hWnd, const RECT& area);
// UTF-8 form of code-page-936 text, for readable assertion messages.
std::string Utf8(const std::string& ansi);
