#pragma once
// Input as a person gives it: the mouse and the keyboard through SendInput, at screen
// coordinates, to whatever window is there or has the focus.
#include <windows.h>

#include <string>

class UserInput {
public:
    // Moves the pointer there; false when it did not arrive.
    static bool MoveTo(POINT pt);
    // A left click there, with Ctrl and Shift held as keys says (MK_CONTROL, MK_SHIFT).
    static bool Click(POINT pt, UINT keys = 0);
    // Turns the wheel there by notches (negative: towards the user, scrolling down).
    static bool Wheel(POINT pt, int notches);
    // Presses and releases one key, with Shift held when shift is true.
    static void Key(WORD vk, bool shift = false);
    // Types code-page-936 text character by character.
    static void Type(const std::string& ansi);
};
