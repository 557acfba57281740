#pragma once
// A static label that looks like a link: blue, underlined, and with the hand cursor while its
// box is the active window. It is attached to an existing static control by subclassing.
#include "framework/CWnd.h"

class CHyperLink : public CWnd {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnSetCursor();
    void OnPaint();
};
