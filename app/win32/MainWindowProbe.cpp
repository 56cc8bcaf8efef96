// The probe r1: the drag gesture that feeds the probe handlers and bounds the outline, and the
// probe's own drawing, a frame with the etched border and its caption set into the top edge.
#include "app/win32/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/Palette.h"
#include "app/ProbeOutline.h"
#include "app/frmMain.h"
#include "app/win32/Dpi.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

namespace {

constexpr int kCaptionInset96 = 6;

int buttonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return kLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return kRightButton;
        default: return kMiddleButton;
    }
}

// The buttons held, in the handlers' numbering; MK_MBUTTON is not 4 and MK_SHIFT is.
int heldButtons(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
           ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

// The buttons held as the messages taken so far tell, in the handlers' numbering.
int heldButtonsNow() {
    const auto held = [](int key) { return ::GetKeyState(key) < 0; };
    return (held(VK_LBUTTON) ? kLeftButton : 0) | (held(VK_RBUTTON) ? kRightButton : 0) |
           (held(VK_MBUTTON) ? kMiddleButton : 0);
}

// Where a mouse message of the probe happened, on the screen. While the probe holds the capture
// the message gives every position relative to the probe, wherever the pointer is.
Point screenPosition(HWND probe, LPARAM position) {
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ClientToScreen(probe, &point);
    return {point.x, point.y};
}

}  // namespace

LRESULT MainWindow::handleProbeMessage(HWND probe, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: onProbeButtonDown(probe, buttonOf(message)); return 0;
        case WM_MOUSEMOVE:
            parts_.frmMain.r1_MouseMove(heldButtons(wParam), screenPosition(probe, lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: onProbeButtonUp(probe, buttonOf(message), wParam, lParam); return 0;
        case WM_CAPTURECHANGED: onProbeCaptureLost(); return 0;
        case WM_PAINT: paintProbe(probe); return 0;
    }
    return ::DefWindowProcW(probe, message, wParam, lParam);
}

void MainWindow::onProbeButtonDown(HWND probe, int button) {
    // Every move goes to the probe from here on, wherever the pointer is on the screen.
    if (::GetCapture() != probe) ::SetCapture(probe);
    // A tip popping up would cover the windows being probed.
    ::SendMessageW(tooltip_.get(), TTM_ACTIVATE, FALSE, 0);
    parts_.outline.beginDrag();
    // While the pointer rests no move comes: the refreshes look at the pointer and the outline's
    // window meanwhile.
    startOutlineRefreshes();
    parts_.frmMain.r1_MouseDown(button);
}

void MainWindow::onProbeButtonUp(HWND probe, int button, WPARAM stillHeld, LPARAM position) {
    // Released before the handler runs, so that a handler that fails cannot leave the pointer
    // captured.
    if (heldButtons(stillHeld) == 0 && ::GetCapture() == probe) ::ReleaseCapture();
    parts_.frmMain.r1_MouseUp(button, heldButtons(stillHeld), screenPosition(probe, position));
}

// Losing the capture ends the drag, also when an error report's message box takes it mid-drag.
// Taking it back here would fight the box.
void MainWindow::onProbeCaptureLost() {
    setPointer(MousePointer::Default);
    ::SendMessageW(tooltip_.get(), TTM_ACTIVATE, TRUE, 0);
    ::KillTimer(window_, kOutlineTimer);
    parts_.outline.endDrag();
}

void MainWindow::startOutlineRefreshes() {
    ::SetTimer(window_, kOutlineTimer, kOutlineRefreshMs, nullptr);
}

void MainWindow::onOutlineTimer() {
    if (::GetCapture() == control(Control::r1)) parts_.frmMain.r1_MouseResting(heldButtonsNow());
    parts_.outline.refresh();
    if (!parts_.outline.active()) ::KillTimer(window_, kOutlineTimer);
}

void MainWindow::paintProbe(HWND probe) {
    const PaintDC paint(probe);
    const HDC dc = paint.get();
    RECT client{};
    ::GetClientRect(probe, &client);
    ::FillRect(dc, &client, probeBackground_.get());

    wchar_t caption[32] = {};
    const int length = ::GetWindowTextW(probe, caption, 32);
    // Made after the paint, so the font goes back out of the context before EndPaint.
    const Selected font(dc, fonts_.window.get());
    SIZE text{};
    ::GetTextExtentPoint32W(dc, caption, length, &text);
    // The border runs through the middle of the caption's line, as in a group box.
    RECT frame = client;
    frame.top += text.cy / 2;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, parts_.palette.colours().probe);
    ::SetTextColor(dc, parts_.palette.colours().probeText);
    ::TextOutW(dc, scaleToDpi(kCaptionInset96, dpi_), 0, caption, length);
}

}  // namespace quellon::win32
