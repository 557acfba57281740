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
    if (inputs.empty())
        return true;
    UINT n = static_cast<UINT>(inputs.size());
    return SendInput(n, inputs.data(), sizeof(INPUT)) == n;
}

std::vector<WORD> Modifiers(UINT keys) {
    std::vector<WORD> held;
    if (keys & MK_CONTROL)
        held.push_back(VK_CONTROL);
    if (keys & MK_SHIFT)
        held.push_back(VK_SHIFT);
    return held;
}

// Only this driver sets a key down, and Wine only sets one up: a key still down once the events
// that needed it are queued was down while each of them was queued.
bool StillDown(const std::vector<WORD>& keys) {
    for (WORD vk : keys)
        if (GetAsyncKeyState(vk) >= 0)
            return false;
    return true;
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

bool UserInput::Click(POINT pt, UINT keys, bool* pKeysHeld) {
    if (!MoveTo(pt))
        return false;
    const std::vector<WORD> held = Modifiers(keys);
    std::vector<INPUT> press, release;
    for (WORD vk : held) {
        press.push_back(KeyEvent(vk, 0, 0));
        release.push_back(KeyEvent(vk, 0, KEYEVENTF_KEYUP));
    }
    press.push_back(MouseEvent(MOUSEEVENTF_LEFTDOWN));
    press.push_back(MouseEvent(MOUSEEVENTF_LEFTUP));
    bool sent = Send(press);
    if (pKeysHeld != nullptr)
        *pKeysHeld = StillDown(held);
    return Send(release) && sent;
}

bool UserInput::Wheel(POINT pt, int notches) {
    return MoveTo(pt) &&
           Send({MouseEvent(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA))});
}

bool UserInput::Key(WORD vk, bool shift) {
    const std::vector<WORD> held = Modifiers(shift ? MK_SHIFT : 0);
    std::vector<INPUT> inputs;
    for (WORD modifier : held)
        inputs.push_back(KeyEvent(modifier, 0, 0));
    inputs.push_back(KeyEvent(vk, 0, ExtendedFlag(vk)));
    inputs.push_back(KeyEvent(vk, 0, ExtendedFlag(vk) | KEYEVENTF_KEYUP));
    Send(inputs);
    bool kept = StillDown(held);
    inputs.clear();
    for (WORD modifier : held)
        inputs.push_back(KeyEvent(modifier, 0, KEYEVENTF_KEYUP));
    Send(inputs);
    return kept;
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
