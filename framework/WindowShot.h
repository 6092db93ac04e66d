#pragma once
// A picture of a window as it shows on the screen, frame and all, written as
// a bitmap file: how the skin preview and the README's pictures show a window
// under Wine, where PrintWindow gives a black picture.

#include <windows.h>

#include <string>

// Copies the window's pixels from its own window device context (so that
// windows in front of it do not show) into a 24-bit bitmap file. Pixels
// outside the window's region (rounded corners) come out white. Raises
// EFOpenError or EWriteError when the file cannot be written.
void WriteWindowShot(HWND window, const std::string& path);

// Lets the window and its children paint everything they have pending.
void SettleWindow(HWND window);
