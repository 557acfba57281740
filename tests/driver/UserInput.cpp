#include "UserInput.h"

#include <vector>

namespace {

INPUT MouseEvent(DWORD flags, DWORD data = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

INPUT KeyEvent(WORD vk, WORD scan, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

bool Send(std::vector<INPUT> inputs) {
    UINT n = static_cast<UINT>(inputs.size());
    return SendInput(n, inputs.data(), sizeof(INPUT)) == n;
}

// Keys that sit in the extended block of the keyboard.
DWORD ExtendedFlag(WORD vk) {
    switch (vk) {
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DELETE:
        return KEYEVENTF_EXTENDEDKEY;
    default:
        return 0;
    }
}

} // namespace

bool UserInput::MoveTo(POINT pt) {
    // Absolute positions run from 0 to 65535 across the screen; rounding up lands on the pixel.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = MouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    move.mi.dx = static_cast<LONG>((pt.x * 65536LL + width - 1) / width);
    move.mi.dy = static_cast<LONG>((pt.y * 65536LL + height - 1) / height);
    if (!Send({move}))
        return false;
    for (int i = 0; i < 100; ++i) {
        POINT now;
        if (GetCursorPos(&now) && now.x == pt.x && now.y == pt.y)
            return true;
        Sleep(10);
    }
    return false;
}

bool UserInput::Click(POINT pt, UINT keys) {
    if (!MoveTo(pt))
        return false;
    const WORD held[] = {static_cast<WORD>(keys & MK_CONTROL ? VK_CONTROL : 0),
                         static_cast<WORD>(keys & MK_SHIFT ? VK_SHIFT : 0)};
    std::vector<INPUT> inputs;
    for (WORD vk : held)
        if (vk != 0)
            inputs.push_back(KeyEvent(vk, 0, 0));
    inputs.push_back(MouseEvent(MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(MouseEvent(MOUSEEVENTF_LEFTUP));
    for (WORD vk : held)
        if (vk != 0)
            inputs.push_back(KeyEvent(vk, 0, KEYEVENTF_KEYUP));
    return Send(inputs);
}

bool UserInput::Wheel(POINT pt, int notches) {
    return MoveTo(pt) &&
           Send({MouseEvent(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA))});
}

void UserInput::Key(WORD vk, bool shift) {
    std::vector<INPUT> inputs;
    if (shift)
        inputs.push_back(KeyEvent(VK_SHIFT, 0, 0));
    inputs.push_back(KeyEvent(vk, 0, ExtendedFlag(vk)));
    inputs.push_back(KeyEvent(vk, 0, ExtendedFlag(vk) | KEYEVENTF_KEYUP));
    if (shift)
        inputs.push_back(KeyEvent(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    Send(inputs);
}

void UserInput::Type(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), &wide[0], n);
    std::vector<INPUT> inputs;
    for (wchar_t ch : wide) {
        inputs.push_back(KeyEvent(0, static_cast<WORD>(ch), KEYEVENTF_UNICODE));
        inputs.push_back(KeyEvent(0, static_cast<WORD>(ch), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(inputs);
}
