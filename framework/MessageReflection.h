#pragma once
// A parent window hands the notifications it receives about a child control
// or a menu item to the object that owns it: WM_COMMAND goes to the child as
// CN_COMMAND (or runs the menu item it names), WM_DRAWITEM and
// WM_MEASUREITEM go to the child as CN_DRAWITEM / CN_MEASUREITEM, or to the
// owner-drawn menu item. So owner-drawn things paint themselves.

#include "framework/WinControl.h"

// True when an owner took the message; its answer is then in message.Result.
bool ReflectNotification(TWinControl& parent, TMessage& message);
