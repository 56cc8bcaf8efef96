#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

#include "app/win32/Clipboard.h"
#include "app/win32/Dpi.h"
#include "app/win32/WindowProcedure.h"
#include "platform/win32/Handles.h"
#include "resources/resource.h"

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kCaption = L"Tarnwick Windows Quellon";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

int toPixels(float twips, float perPixel) {
    return static_cast<int>(std::lround(twips / perPixel));
}

UniqueFont makeFont(const wchar_t* face, double points, DWORD pitchAndFamily, UINT dpi) {
    return UniqueFont(::CreateFontW(fontHeight(points, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                    FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, pitchAndFamily, face));
}

HICON loadIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                           IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                                           ::GetSystemMetrics(heightMetric), LR_SHARED));
}

// Keeps Tab for moving the focus: a multi-line edit control would otherwise insert it.
LRESULT CALLBACK tabLeavesEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(edit, tabLeavesEdit, id);
    const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_GETDLGCODE && wParam == VK_TAB) {
        return result & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
    return result;
}

// Ctrl held without Shift and Alt; Ctrl with Alt is AltGr on many keyboards, which types.
bool controlAlone() {
    return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
           ::GetKeyState(VK_MENU) >= 0;
}

// The mouse messages that a tooltip's own subclass would pass it.
bool isRelayedToTooltip(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return true;
        default: return false;
    }
}

}  // namespace

MainWindow::Fonts MainWindow::Fonts::make(UINT dpi) {
    return {makeFont(L"Arial", 9, VARIABLE_PITCH | FF_SWISS, dpi),
            makeFont(L"Arial", 8.25, VARIABLE_PITCH | FF_SWISS, dpi),
            makeFont(L"Courier New", 9, FIXED_PITCH | FF_MODERN, dpi)};
}

HFONT MainWindow::Fonts::get(FontKind kind) const {
    switch (kind) {
        case FontKind::Tree: return tree.get();
        case FontKind::Text: return text.get();
        case FontKind::Window: break;
    }
    return window.get();
}

MainWindow::MainWindow(HINSTANCE instance, Win32Reports& reports)
    : MainWindow(instance, systemPlatform(reports), &reports) {}

MainWindow::MainWindow(HINSTANCE instance, const Platform& platform)
    : MainWindow(instance, platform, nullptr) {}

MainWindow::MainWindow(HINSTANCE instance, const Platform& platform, Win32Reports* boxes)
    : instance_(instance),
      reports_(platform.reports),
      boxes_(boxes),
      nodes_(tree_),
      outlineWindows_(instance),
      outline_(geometry_, outlineWindows_),
      frmMain_(platform, *this, nodes_, geometry_, outline_),
      treeTextKeys_(tree_, nodes_, platform.windows, frmMain_,
                    [this](Hwnd target) { return pickWindow(target); }),
      background_(::CreateSolidBrush(kWindowColour)),
      probeBackground_(::CreateSolidBrush(kProbeColour)) {}

bool MainWindow::create(int showCommand) {
    // The window opens centred on the primary screen, at the size designed for its DPI.
    const HMONITOR monitor = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(monitor, &screen);
    const UINT dpi = monitorDpi(monitor);
    const float perPixel = twipsPerPixel(dpi);
    const RECT client{0, 0, toPixels(kDesignClient.width, perPixel),
                      toPixels(kDesignClient.height, perPixel)};
    const RECT outer = outerRect(client, kMainStyle, 0, dpi);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int x = (screen.rcMonitor.left + screen.rcMonitor.right - width) / 2;
    const int y = (screen.rcMonitor.top + screen.rcMonitor.bottom - height) / 2;

    if (!registerClasses() || !::CreateWindowExW(0, kMainClass, kCaption, kMainStyle, x, y, width,
                                                 height, nullptr, nullptr, instance_, this)) {
        // A class or a control that failed has noted itself; otherwise the window failed.
        if (startupFailure_.empty()) failStartup(L"CreateWindowExW", kMainClass);
        reportUncaught(runtimeError(ErrorNumber::InternalError), startupFailure_);
        return false;
    }
    if (boxes_) boxes_->setOwner(window_);
    containErrors([&] { frmMain_.Form_Load(); },
                  [&](const RuntimeError& error) { reportUncaught(error); });
    loaded_ = true;
    registerPickHotKey();
    // The first show sends the first WM_SIZE, and with it the first layout.
    ::ShowWindow(window_, showCommand);
    ::SetFocus(control(Control::trv));
    ::UpdateWindow(window_);
    return true;
}

int MainWindow::run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    containErrors([&] { frmMain_.Form_Terminate(); },
                  [&](const RuntimeError& error) { reportUncaught(error); });
    return static_cast<int>(message.wParam);
}

void MainWindow::dispatch(MSG& message) {
    if (message.hwnd == control(Control::trv) && isRelayedToTooltip(message.message)) {
        ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
    // The window sees its keys before the control with the focus does, as F5 needs. This runs
    // outside any window procedure, whose stub would otherwise contain the errors.
    if (message.message == WM_KEYDOWN && window_ &&
        (message.hwnd == window_ || ::IsChild(window_, message.hwnd))) {
        containErrors([&] { frmMain_.Form_KeyDown(static_cast<int>(message.wParam)); },
                      [&](const RuntimeError& error) { reportUncaught(error); });
    }
    if (takeEditingKey(message)) return;
    if (window_ && ::IsDialogMessageW(window_, &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

// Taken before translation, so that neither control gets the control character.
bool MainWindow::takeEditingKey(const MSG& message) {
    bool taken = false;
    containErrors([&] { taken = window_ && treeTextKeys_.take(message, window_); },
                  [&](const RuntimeError& error) {
                      reportUncaught(error);
                      taken = true;
                  });
    if (taken) return true;
    if (message.message != WM_KEYDOWN || !window_ || !controlAlone()) return false;
    if (message.hwnd == control(Control::trv) && message.wParam == 'C') {
        if (const auto text = tree_.selectedText()) copyToClipboard(window_, *text);
        return true;
    }
    if (message.hwnd == control(Control::txtInf) && message.wParam == 'A') {
        ::SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
        return true;
    }
    return false;
}

bool MainWindow::pickWindow(Hwnd target) {
    if (!frmMain_.pickWindow(target)) return false;
    // The outline of the pick goes after its refreshes.
    ::SetTimer(window_, kOutlineTimer, kOutlineRefreshMs, nullptr);
    return true;
}

// A combination that another program holds already is its own: the tool runs without it, as it
// did before there was one, and says nothing.
void MainWindow::registerPickHotKey() {
    constexpr UINT kModifiers = MOD_CONTROL | MOD_SHIFT;
    // Held down, it picks once. MOD_NOREPEAT came with Windows 7; an older system that refuses it
    // gets the combination without it.
    if (::RegisterHotKey(window_, kPickHotKey, kModifiers | MOD_NOREPEAT, VK_F11)) return;
    if (::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return;
    ::RegisterHotKey(window_, kPickHotKey, kModifiers, VK_F11);
}

void MainWindow::reportUncaught(const RuntimeError& error, std::wstring_view context) noexcept {
    try {
        reports_.messageBox(L"Error " + std::to_wstring(error.number) + L" (" + error.description +
                            L")" + std::wstring(context));
    } catch (...) {
    }
}

bool MainWindow::failStartup(const wchar_t* call, const wchar_t* subject) {
    // Read first: building the text may touch the thread's last error.
    const DWORD code = ::GetLastError();
    startupFailure_ = std::wstring(L" beim Start: ") + call + L" für " + subject +
                      L", Systemfehler " + std::to_wstring(code);
    return false;
}

bool MainWindow::registerClasses() {
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = windowProcedure<MainWindow, &MainWindow::handleMessage>;
    main.hInstance = instance_;
    main.hIcon = loadIcon(instance_, SM_CXICON, SM_CYICON);
    main.hIconSm = loadIcon(instance_, SM_CXSMICON, SM_CYSMICON);
    main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    main.lpszClassName = kMainClass;

    WNDCLASSEXW probe{};
    probe.cbSize = sizeof probe;
    probe.style = CS_HREDRAW | CS_VREDRAW;
    probe.lpfnWndProc = windowProcedure<MainWindow, &MainWindow::handleProbeMessage>;
    probe.hInstance = instance_;
    probe.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    probe.lpszClassName = kProbeClass;

    if (!::RegisterClassExW(&main)) return failStartup(L"RegisterClassExW", kMainClass);
    if (!::RegisterClassExW(&probe)) return failStartup(L"RegisterClassExW", kProbeClass);
    return true;
}

bool MainWindow::createControls() {
    for (const ControlDesign& design : controlDesigns()) {
        const auto index = static_cast<std::size_t>(design.control);
        void* parameter = design.control == Control::r1 ? this : nullptr;
        controls_[index] = ::CreateWindowExW(
            design.exStyle, design.windowClass, design.caption, design.style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(design.control))), instance_,
            parameter);
        if (!controls_[index]) return failStartup(L"CreateWindowExW", design.name);
        twips_[index] = designPlace(design.control);
        placeControl(design.control);
    }
    const UINT dpi = dpiForWindow(window_);
    fonts_ = Fonts::make(dpi);
    applyFonts();
    tree_.attach(control(Control::trv), instance_, dpi);
    ::SetWindowSubclass(control(Control::txtInf), tabLeavesEdit, 0, 0);
    return createTooltips();
}

bool MainWindow::createTooltips() {
    // Without an owner: a window that owns a topmost pop-up cannot itself be made topmost
    // under Wine, and the on-top switch needs that.
    tooltip_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);
    if (!tooltip_) return failStartup(L"CreateWindowExW", TOOLTIPS_CLASSW);
    for (const ControlDesign& design : controlDesigns()) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        // The tree's mouse messages are relayed from the message loop instead: through a
        // subclass every message to the tree would pay for the subclass chain, every item
        // inserted during a rebuild included (three property look-ups each under Wine).
        tool.uFlags = TTF_IDISHWND | (design.control == Control::trv ? 0 : TTF_SUBCLASS);
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(design.control));
        tool.lpszText = const_cast<wchar_t*>(design.tooltip);
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void MainWindow::applyFonts() {
    for (const ControlDesign& design : controlDesigns()) {
        ::SendMessageW(control(design.control), WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts_.get(design.font)), TRUE);
    }
}

void MainWindow::placeControl(Control which) {
    const TwipsRect& twips = twips_[static_cast<std::size_t>(which)];
    const float x = twipsPerPixelX();
    const float y = twipsPerPixelY();
    ::MoveWindow(control(which), toPixels(twips.left, x), toPixels(twips.top, y),
                 toPixels(twips.width, x), toPixels(twips.height, y), TRUE);
}

LRESULT MainWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: window_ = window; return createControls() ? 0 : -1;
        case WM_SIZE:
            if (loaded_) frmMain_.Form_Resize();
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
        case WM_ACTIVATE:
            if (onActivate(wParam)) return 0;
            break;
        case WM_DPICHANGED: onDpiChanged(*reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_TIMER:
            if (wParam != kOutlineTimer) break;
            outline_.refresh();
            if (!outline_.active()) ::KillTimer(window, kOutlineTimer);
            return 0;
        case WM_HOTKEY:
            if (wParam != kPickHotKey) break;
            frmMain_.Form_HotKey();
            // The outline of the pick goes after its refreshes.
            ::SetTimer(window, kOutlineTimer, kOutlineRefreshMs, nullptr);
            return 0;
        case WM_CLOSE:
            // A close among the events that a tree click lets through would destroy the tree
            // control while its own click handling still runs: it waits until the click is done.
            if (treeClicksRunning_ > 0) {
                closeWaiting_ = true;
                return 0;
            }
            break;
        case WM_DESTROY:
            // The tooltip has no owner, so it would outlive the window.
            if (tooltip_) ::DestroyWindow(std::exchange(tooltip_, nullptr));
            ::UnregisterHotKey(window, kPickHotKey);
            outline_.endDrag();
            outlineWindows_.destroy();
            if (boxes_) boxes_->setOwner(nullptr);
            // A window that failed in its creation has no message loop to end, and a quit
            // message waiting in the queue would close the start-up report at once.
            if (loaded_) ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: window_ = nullptr; break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
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
        frmMain_.chkTop_Click();
    } else if (id >= firstButton && id <= controlId(Control::Command1_2)) {
        frmMain_.Command1_Click(static_cast<std::int16_t>(id - firstButton));
    }
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    const auto id = tree_.takeClick(header);
    if (!id) return 0;
    if (const auto node = nodes_.fromId(*id)) {
        struct Running {
            int& count;
            explicit Running(int& c) : count(++c) {}
            ~Running() { --count; }
        };
        {
            const Running running(treeClicksRunning_);
            frmMain_.onTreeNodeClick(*node);
        }
        if (treeClicksRunning_ == 0 && std::exchange(closeWaiting_, false)) {
            ::PostMessageW(window_, WM_CLOSE, 0, 0);
        }
    }
    // The control sends the click before it selects the item it hit; the details let events
    // through, and a drag from the probe among them empties the tree. The selection is made
    // above, and TRUE keeps the control from selecting an item that may be gone.
    return TRUE;
}

HBRUSH MainWindow::staticBackground(HWND which, HDC dc) {
    if (which != control(Control::LabelT) && which != control(Control::chkTop)) return nullptr;
    ::SetBkColor(dc, kWindowColour);
    return background_.get();
}

void MainWindow::onDpiChanged(const RECT& suggested) {
    const UINT dpi = dpiForWindow(window_);
    // The controls let go of the old fonts before they are deleted.
    const Fonts previous = std::exchange(fonts_, Fonts::make(dpi));
    applyFonts();
    tree_.setDpi(dpi);
    for (const ControlDesign& design : controlDesigns()) placeControl(design.control);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, and then no WM_SIZE lays the controls out.
    frmMain_.Form_Resize();
    ::RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

Hwnd MainWindow::hwnd() { return fromHwnd(window_); }

float MainWindow::twipsPerPixelX() { return twipsPerPixel(dpiForWindow(window_)); }

float MainWindow::twipsPerPixelY() { return twipsPerPixel(dpiForWindow(window_)); }

void MainWindow::setMousePointer(MousePointer shape) {
    pointer_ = shape;
    // Shown at once; WM_SETCURSOR keeps it while the pointer moves over the tool's windows.
    ::SetCursor(
        ::LoadCursorW(nullptr, shape == MousePointer::ArrowQuestion ? IDC_HELP : IDC_ARROW));
}

void MainWindow::doEvents() {
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

std::int32_t MainWindow::width() {
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    return static_cast<std::int32_t>(std::lround((outer.right - outer.left) * twipsPerPixelX()));
}

std::int32_t MainWindow::height() {
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    return static_cast<std::int32_t>(std::lround((outer.bottom - outer.top) * twipsPerPixelY()));
}

void MainWindow::setControl(Control which, Property property, float twips) {
    twips_[static_cast<std::size_t>(which)].*member(property) = twips;
    placeControl(which);
}

int MainWindow::chkTopValue() {
    return static_cast<int>(::SendMessageW(control(Control::chkTop), BM_GETCHECK, 0, 0));
}

void MainWindow::setTxtInfText(const std::wstring& text) {
    ::SetWindowTextW(control(Control::txtInf), text.c_str());
}

}  // namespace quellon::win32
