// Pictures of windows without a display: a window rendered to a PNG file, and a modal
// dialog shown, captured once painted and closed, for tool commands run headless.
#pragma once

#include <genbafw/cstring.h>

#include <windows.h>

#include <functional>
#include <string>

namespace genbatool {

// Paints hWnd whole (frame and caption drawn active, every child) and writes it to
// pngPath (code page 932) as a 24-bit PNG of the window's size. False, with the reason
// in error, when hWnd is not a window or the picture cannot be taken or written; a file
// this call began is then removed. Throws nothing.
bool SaveWindowPng(HWND hWnd, const CString& pngPath, std::string& error);

struct ModalCapture {
    bool shown = false;   // a dialog activated while show ran
    bool saved = false;   // and its picture was written
    std::string error;    // why not, when not
};

// Runs show, which shows a modal dialog on this thread and returns once it has closed.
// The first dialog that activates meanwhile is captured to pngPath once painted, then
// sent IDCANCEL; any dialog activating after it (a message box on the way out) is sent
// IDCANCEL at once, so nothing waits for a user. One capture at a time: a call made
// while another runs shows nothing and says so.
ModalCapture RunModalWithScreenshot(const std::function<void()>& show, const CString& pngPath);

} // namespace genbatool
