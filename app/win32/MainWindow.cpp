// The main window's messages: the event loop, keys taken before the controls, notifications
// from the tree, activation, DPI changes, the outline's timer and the hotkey.
#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <optional>
#include <utility>

#include "app/KeyCommands.h"
#include "app/Palette.h"
#include "app/ProbeOutline.h"
#include "app/TreeClicks.h"
#include "app/frmMain.h"
#include "app/win32/Dpi.h"
#include "app/win32/OutlineWindow.h"
#include "app/win32/TooltipHosting.h"
#include "app/win32/TreeClipboard.h"
#include "app/win32/TreeViewControl.h"
#include "app/win32/WindowProcedure.h"
#include "platform/win32/Win32Platform.h"

namespace quellon::win32 {

namespace {

// The modifier keys as the messages taken so far left them.
Modifiers heldModifiers() {
    const auto held = [](int key) { return ::GetKeyState(key) < 0; };
    return {held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU)};
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const Parts& parts)
    : instance_(instance), parts_(parts) {
    makeBrushes();
}

void MainWindow::makeBrushes() {
    const SurfaceColours& colours = parts_.palette.colours();
    background_.reset(::CreateSolidBrush(colours.window));
    probeBackground_.reset(::CreateSolidBrush(colours.probe));
}

// Common controls learn of new system colours only from their parent, and the tool's own
// surfaces, the tree's pictures and the outline take the system's colours in high-contrast mode.
void MainWindow::onColoursChanged() {
    for (const HWND each : controls_) ::SendMessageW(each, WM_SYSCOLORCHANGE, 0, 0);
    if (parts_.palette.refresh()) {
        makeBrushes();
        parts_.tree.recolourPictures();
        parts_.outlineWindow.recolour();
    }
    ::RedrawWindow(window_, nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

int MainWindow::run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    containErrors([&] { parts_.frmMain.Form_Terminate(); },
                  [&](const RuntimeError& error) { reportUncaught(error); });
    return static_cast<int>(message.wParam);
}

void MainWindow::deliverPending() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which ends the program.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void MainWindow::dispatch(MSG& message) {
    parts_.tooltips.beforeDispatch(message, tooltip_.get(), control(Control::trv));
    if (takeKey(message)) return;
    if (window_ && ::IsDialogMessageW(window_, &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

// The window sees its keys before the control with the focus does, as F5 needs, and before
// translation, so that no control gets a character for a key taken. This runs outside any
// window procedure, whose stub would otherwise contain the errors.
bool MainWindow::takeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !window_) return false;
    KeyPlace place = KeyPlace::Elsewhere;
    if (message.hwnd == control(Control::trv)) {
        place = KeyPlace::Tree;
    } else if (message.hwnd == control(Control::txtInf)) {
        place = KeyPlace::Details;
    } else if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) {
        return false;
    }
    const std::optional<KeyCommand> command =
        keyCommand(static_cast<int>(message.wParam), heldModifiers(), place);
    if (!command) return false;
    containErrors([&] { runKeyCommand(*command); },
                  [&](const RuntimeError& error) { reportUncaught(error); });
    return true;
}

void MainWindow::runKeyCommand(KeyCommand command) {
    switch (command) {
        case KeyCommand::Rebuild: parts_.frmMain.rebuildLastTarget(); return;
        case KeyCommand::CopyEntry: parts_.treeClipboard.copyEntry(window_); return;
        case KeyCommand::CopyTree: parts_.treeClipboard.copyTree(window_); return;
        case KeyCommand::PasteHandle: parts_.treeClipboard.pasteHandle(window_); return;
        case KeyCommand::SelectAllDetails:
            ::SendMessageW(control(Control::txtInf), EM_SETSEL, 0, -1);
            return;
    }
}

bool MainWindow::pickWindow(Hwnd target) {
    if (!parts_.frmMain.pickWindow(target)) return false;
    startOutlineRefreshes();
    return true;
}

void MainWindow::reportUncaught(const RuntimeError& error, std::wstring_view context) noexcept {
    try {
        parts_.reports.messageBox(errorText(error) + std::wstring(context));
    } catch (...) {
    }
}

LRESULT MainWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: window_ = window; return createControls() ? 0 : -1;
        case WM_SIZE:
            if (loaded_) parts_.frmMain.Form_Resize();
            return 0;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_SETCURSOR:
            // Children ask their parent first, so this covers every control.
            if (pointer_ != MousePointer::ArrowQuestion) break;
            ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH brush = staticBackground(reinterpret_cast<HWND>(lParam),
                                                      reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(window, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
            return 1;
        }
        case WM_SYSCOLORCHANGE: onColoursChanged(); return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) onColoursChanged();
            if (wParam == SPI_SETNONCLIENTMETRICS) onTextSizeChanged();
            break;
        case WM_ACTIVATE:
            if (onActivate(wParam)) return 0;
            break;
        case WM_DPICHANGED:
            // The new DPI as the message carries it (HIWORD, the vertical one; both are equal).
            onDpiChanged(HIWORD(wParam) ? HIWORD(wParam) : dpiForWindow(window),
                         *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam != kOutlineTimer) break;
            onOutlineTimer();
            return 0;
        case WM_HOTKEY:
            if (wParam != kPickHotKey) break;
            parts_.frmMain.Form_HotKey();
            startOutlineRefreshes();
            return 0;
        case kTreeClickMessage: onTreeClick(static_cast<NodeId>(wParam)); return 0;
        case WM_CLOSE:
            // A close among the events that a click's details let through would destroy the
            // window and its tree under the running handler: it waits until they are done.
            if (parts_.clicks.running()) {
                closeWaiting_ = true;
                return 0;
            }
            break;
        case WM_DESTROY: onDestroy(); return 0;
        case WM_NCDESTROY: window_ = nullptr; break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::onDestroy() {
    // An owned tooltip has gone with the window already; one without an owner would outlive it.
    if (!::IsWindow(tooltip_.get())) tooltip_.release();
    tooltip_.reset();
    ::UnregisterHotKey(window_, kPickHotKey);
    parts_.outline.endDrag();
    parts_.outlineWindow.destroy();
    if (parts_.boxes) parts_.boxes->setOwner(nullptr);
    // A window that failed in its creation has no message loop to end, and a quit message
    // waiting in the queue would close the start-up report at once.
    if (loaded_) ::PostQuitMessage(0);
}

bool MainWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
        return false;
    }
    if (HIWORD(wParam)) return false;  // minimised
    // A plain window would take the focus itself; give it back to the control that had it.
    ::SetFocus(lastFocus_ ? lastFocus_ : control(Control::trv));
    return true;
}

void MainWindow::onCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    const int firstButton = controlId(Control::Command1_0);
    if (id == controlId(Control::chkTop)) {
        parts_.frmMain.chkTop_Click();
    } else if (id >= firstButton && id <= controlId(Control::Command1_2)) {
        parts_.frmMain.Command1_Click(static_cast<std::int16_t>(id - firstButton));
    }
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    const auto id = parts_.tree.takeClick(header);
    if (!id) return 0;
    parts_.clicks.clicked(*id);
    // The control sends the click before it selects the item it hit. The selection is made
    // above, and TRUE keeps the control from doing it again; the details come once it is done.
    return TRUE;
}

void MainWindow::postTreeClick(NodeId id) {
    ::PostMessageW(window_, kTreeClickMessage, static_cast<WPARAM>(id), 0);
}

void MainWindow::onTreeClick(NodeId id) {
    parts_.clicks.deliver(id);
    if (!parts_.clicks.running() && std::exchange(closeWaiting_, false)) {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
    }
}

HBRUSH MainWindow::staticBackground(HWND which, HDC dc) {
    if (which != control(Control::LabelT) && which != control(Control::chkTop)) return nullptr;
    ::SetBkColor(dc, parts_.palette.colours().window);
    ::SetTextColor(dc, parts_.palette.colours().windowText);
    return background_.get();
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls let go of the old fonts before they are deleted.
    const Fonts previous = std::exchange(fonts_, Fonts::make(dpi));
    applyFonts();
    parts_.tree.setDpi(dpi);
    for (const ControlDesign& design : controlDesigns()) placeControl(design.control);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, and then no WM_SIZE lays the controls out.
    parts_.frmMain.Form_Resize();
    ::RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::setPointer(MousePointer shape) {
    pointer_ = shape;
    // Shown at once; WM_SETCURSOR keeps it while the pointer moves over the tool's windows.
    ::SetCursor(
        ::LoadCursorW(nullptr, shape == MousePointer::ArrowQuestion ? IDC_HELP : IDC_ARROW));
}

}  // namespace quellon::win32
