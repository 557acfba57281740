#pragma once
// Left clicks on tree items as the mouse would give them: the press and the release are
// separate messages, so a test can look at the tree while the button is down.
#include <windows.h>

#include <commctrl.h>

#include <vector>

enum class ItemPart { Label, Icon, StateIcon, Button, RightOfLabel };

// A point on that part of a visible item.
POINT PointOn(HWND hTree, HTREEITEM hItem, ItemPart part);
// Sends the press with mkDown; the release, with mkUp, is posted first (the control's own press
// handling waits for it) and is handled by the next message pump.
void Press(HWND hTree, POINT pt, UINT mkDown, UINT mkUp);
// Press, then pump until the release is handled.
void Click(HWND hTree, HTREEITEM hItem, ItemPart part, UINT mk = 0);
UINT HitFlags(HWND hTree, POINT pt);
// Indices into items of those whose selected bit is set, in items' order.
std::vector<int> SelectedIndices(HWND hTree, const std::vector<HTREEITEM>& items);
