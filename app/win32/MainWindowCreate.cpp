// The main window's creation: its classes, the window centred on the screen at the size designed
// for its DPI, the controls at their design places with their fonts and tooltips, and the pick
// hotkey.
#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

#include "app/frmMain.h"
#include "app/win32/Dpi.h"
#include "app/win32/TooltipHosting.h"
#include "app/win32/TreeViewControl.h"
#include "app/win32/WindowProcedure.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Win32Platform.h"
#include "resources/resource.h"

namespace quellon::win32 {

namespace {

constexpr const wchar_t* kCaption = L"Tarnwick Windows Quellon";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

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

// The font that tooltips take, the system's status font, at the DPI. Tooltips pick it at the
// system-wide DPI on their own, which is another one on a monitor of another DPI.
UniqueFont tipFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (auto* forDpi = user32().SystemParametersInfoForDpi.find()) {
        if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
            return UniqueFont(::CreateFontIndirectW(&metrics.lfStatusFont));
        }
    }
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    LOGFONTW& font = metrics.lfStatusFont;
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
    return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace

MainWindow::Fonts MainWindow::Fonts::make(UINT dpi) {
    return {makeFont(L"Arial", 9, VARIABLE_PITCH | FF_SWISS, dpi),
            makeFont(L"Arial", 8.25, VARIABLE_PITCH | FF_SWISS, dpi),
            makeFont(L"Courier New", 9, FIXED_PITCH | FF_MODERN, dpi), tipFont(dpi)};
}

HFONT MainWindow::Fonts::get(FontKind kind) const {
    switch (kind) {
        case FontKind::Tree: return tree.get();
        case FontKind::Text: return text.get();
        case FontKind::Window: break;
    }
    return window.get();
}

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
    if (parts_.boxes) parts_.boxes->setOwner(window_);
    containErrors([&] { parts_.frmMain.Form_Load(); },
                  [&](const RuntimeError& error) { reportUncaught(error); });
    loaded_ = true;
    registerPickHotKey();
    // The first show sends the first WM_SIZE, and with it the first layout.
    ::ShowWindow(window_, showCommand);
    ::SetFocus(control(Control::trv));
    ::UpdateWindow(window_);
    return true;
}

// A combination that another program holds already is its own: the tool runs without the hotkey
// and says nothing.
void MainWindow::registerPickHotKey() {
    constexpr UINT kModifiers = MOD_CONTROL | MOD_SHIFT;
    // Held down, it picks once. MOD_NOREPEAT came with Windows 7; an older system that refuses it
    // gets the combination without it.
    if (::RegisterHotKey(window_, kPickHotKey, kModifiers | MOD_NOREPEAT, VK_F11)) return;
    if (::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return;
    ::RegisterHotKey(window_, kPickHotKey, kModifiers, VK_F11);
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
    dpi_ = dpiForWindow(window_);
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
    parts_.tree.attach(control(Control::trv), instance_, dpi_);
    ::SetWindowSubclass(control(Control::txtInf), tabLeavesEdit, 0, 0);
    if (!createTooltips()) return false;
    fonts_ = Fonts::make(dpi_);
    applyFonts();
    return true;
}

bool MainWindow::createTooltips() {
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     parts_.tooltips.owner(window_), nullptr, instance_, nullptr));
    if (!tooltip_) return failStartup(L"CreateWindowExW", TOOLTIPS_CLASSW);
    for (const ControlDesign& design : controlDesigns()) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags =
            TTF_IDISHWND | (design.control == Control::trv ? parts_.tooltips.treeToolFlags()
                                                           : static_cast<UINT>(TTF_SUBCLASS));
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(design.control));
        tool.lpszText = const_cast<wchar_t*>(design.tooltip);
        ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void MainWindow::applyFonts() {
    for (const ControlDesign& design : controlDesigns()) {
        ::SendMessageW(control(design.control), WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts_.get(design.font)), TRUE);
    }
    applyTipFont();
}

// Without a font of its own the tooltip keeps the one it chose.
void MainWindow::applyTipFont() {
    if (fonts_.tip) {
        ::SendMessageW(tooltip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.tip.get()),
                       TRUE);
    }
}

// The other fonts are the design's, at the window's DPI; the tooltip's is the system's.
void MainWindow::onTextSizeChanged() {
    UniqueFont font = tipFont(dpi_);
    if (!font) return;  // the old size rather than none
    // The tooltip lets go of the old font before it is deleted.
    const UniqueFont previous = std::exchange(fonts_.tip, std::move(font));
    applyTipFont();
}

void MainWindow::setControlTwips(Control which, Property property, float twips) {
    twips_[static_cast<std::size_t>(which)].*member(property) = twips;
    placeControl(which);
}

void MainWindow::placeControl(Control which) {
    const TwipsRect& twips = twips_[static_cast<std::size_t>(which)];
    const float perPixel = twipsPerPixel(dpi_);
    ::MoveWindow(control(which), toPixels(twips.left, perPixel), toPixels(twips.top, perPixel),
                 toPixels(twips.width, perPixel), toPixels(twips.height, perPixel), TRUE);
}

}  // namespace quellon::win32
