#pragma once
// The child windows of the controls, their pictures, and the sizes of the
// controls that fit their content.

#include "platform/win32/Win32FormWindow.h"

#include <windows.h>

#include <string>

namespace dravelo::platform::win32 {

// STATIC for labels, EDIT for fields, BUTTON for buttons (owner-drawn when
// graphical), the picture box class, made in its box; null for lines and
// images, which the window draws.
HWND createControlWindow(const Win32Control& control, HWND parent, HINSTANCE instance, int id, const RECT& box);
void registerPictureBoxClass(HINSTANCE instance);

HBITMAP loadPictureBitmap(HINSTANCE instance, const std::string& picture);
HICON loadPictureIcon(HINSTANCE instance, const std::string& picture);

// The pixels a line of this pen width covers: a wide pen grows to the right
// and below the line, from its middle pixel.
RECT lineSpan(POINT from, POINT to, int penWidth);

// A self-sizing label's size for its caption in its font, plus its border;
// a word-wrapping one keeps its width and grows downwards. Measured in the
// label's window, or on the screen before it has one.
SIZE fittedLabelSize(const Win32Control& label, int currentWidth);
// A self-sizing picture box's size: its picture plus its border.
SIZE fittedPictureBoxSize(const Win32Control& pictureBox);

} // namespace dravelo::platform::win32
