#include "UiPump.h"

#include "framework/CDialog.h"

#include <fstream>
#include <set>
#include <vector>

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (ms > 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return done();
        PumpMessages(0);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

namespace {

std::vector<BYTE> GrabPixels(HWND hWnd, int& width, int& height) {
    RECT rc = {0, 0, 0, 0}; // stays empty for a window that is gone
    GetWindowRect(hWnd, &rc);
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    std::vector<BYTE> pixels(static_cast<size_t>(((width * 3 + 3) & ~3) * height));
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    if (bits)
        memcpy(pixels.data(), bits, pixels.size());
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

bool CaptureWindow(HWND hWnd, const std::string& bmpPath) {
    int width = 0, height = 0;
    std::vector<BYTE> pixels = GrabPixels(hWnd, width, height);
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFOHEADER info = {
        sizeof(info), width, height, 1, 24, BI_RGB, static_cast<DWORD>(pixels.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(file) + sizeof(info)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(bmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

std::vector<COLORREF> WindowPixels(HWND hWnd, int* width, int* height) {
    std::vector<BYTE> pixels = GrabPixels(hWnd, *width, *height);
    int stride = (*width * 3 + 3) & ~3;
    std::vector<COLORREF> colours;
    colours.reserve(static_cast<size_t>(*width) * static_cast<size_t>(*height));
    for (int y = 0; y < *height; ++y) {
        for (int x = 0; x < *width; ++x) {
            const BYTE* p = &pixels[static_cast<size_t>((*height - 1 - y) * stride + x * 3)];
            colours.push_back(RGB(p[2], p[1], p[0]));
        }
    }
    return colours;
}

std::vector<COLORREF> BitmapPixels(UINT id, int* width, int* height) {
    HBITMAP picture = static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    GetObjectA(picture, sizeof(info), &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), *width, -*height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> colours(static_cast<size_t>(*width) * static_cast<size_t>(*height));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, picture, 0, static_cast<UINT>(*height), colours.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    // GetDIBits gives blue in the low byte, the reverse of a COLORREF.
    for (COLORREF& c : colours)
        c = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
    return colours;
}

int CountColours(HWND hWnd, const RECT& area) {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = WindowPixels(hWnd, &width, &height);
    std::set<COLORREF> colours;
    for (int y = area.top; y < area.bottom && y < height; ++y) {
        for (int x = area.left; x < area.right && x < width; ++x)
            colours.insert(pixels[static_cast<size_t>(y * width + x)]);
    }
    return static_cast<int>(colours.size());
}

std::string Utf8(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(n > 0 ? n : 1));
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), n);
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> out(static_cast<size_t>(m > 0 ? m : 1));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, out.data(), m, nullptr, nullptr);
    return out.data();
}
