#pragma once
// Input as a person gives it: the mouse and the keyboard through SendInput, at screen
// coordinates, to whatever window is there or has the focus.
#include <windows.h>

#include <string>

class UserInput {
public:
    // Moves the pointer there; false when it did not arrive.
    static bool MoveTo(POINT pt);
    // A left click there, with Ctrl and Shift held as keys says (MK_CONTROL, MK_SHIFT). Wine sets
    // Ctrl and Shift back to what the X server holds (up: input from here never reaches it) when
    // the pointer enters a window again, which every move of it does; a press queued after that
    // carries no MK_CONTROL or MK_SHIFT. pKeysHeld tells whether the keys were still down once the
    // button was up, so that the press and the release carried them.
    static bool Click(POINT pt, UINT keys = 0, bool* pKeysHeld = nullptr);
    // Turns the wheel there by notches (negative: towards the user, scrolling down).
    static bool Wheel(POINT pt, int notches);
    // Presses and releases one key, with Shift held when shift is true; false when Shift was let
    // go before the key was up (see Click).
    static bool Key(WORD vk, bool shift = false);
    // Types code-page-936 text character by character.
    static void Type(const std::string& ansi);
};
