#pragma once
// Keyboard navigation of the forms: Tab and Shift+Tab walk the tab order,
// the arrow keys step between sibling controls (also those without a tab
// stop, such as the items of a group), Enter and Escape go to the form's
// controls as dialog keys, Alt+letter as an accelerator character.

#include "framework/WinControl.h"

#include <vector>

// The focusable windowed controls inside container in tab order: children by
// TabOrder (those without one after the others, in creation order), each
// followed by its own.
std::vector<TWinControl*> TabOrderList(const TWinControl& container);

// Moves the focus from current to the next (or previous) control inside
// container, wrapping around. With checkTabStop only controls with a tab stop
// count, and current's own parents are passed over (Shift+Tab from a group's
// item leaves the group). False when there is nothing to move to.
bool SelectNext(TWinControl& container, TWinControl* current, bool forward, bool checkTabStop);

// Acts on a navigation key of a framework window; true when it was used up.
bool IsNavigationKey(const MSG& message);
