// The tool's main window: creates itself and its controls as designed and turns window messages
// into the events of FrmMain's handlers (the probe gesture, the hotkey, button clicks, tree
// clicks, keys, resizing and DPI changes). What the handlers ask of the window goes through
// WindowForm; the parts it works with are made and connected by Tool.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/ControlGeometry.h"
#include "app/FormHost.h"
#include "app/treeview/TreeBackend.h"
#include "app/win32/Controls.h"
#include "platform/win32/Unique.h"

// Known here only by reference: the parts the window drives, the errors it reports and the
// commands of its keys.
namespace quellon {
class FrmMain;
class Palette;
class ProbeOutline;
class Reports;
class TreeClicks;
enum class KeyCommand;
struct RuntimeError;
}  // namespace quellon

namespace quellon::win32 {

class OutlineWindow;
class TooltipHosting;
class TreeClipboard;
class TreeViewControl;
class Win32Reports;

class MainWindow {
public:
    // What the window drives; each outlives it.
    struct Parts {
        TreeViewControl& tree;
        TreeClicks& clicks;
        TreeClipboard& treeClipboard;
        ProbeOutline& outline;
        OutlineWindow& outlineWindow;
        TooltipHosting& tooltips;
        FrmMain& frmMain;
        Palette& palette;
        Reports& reports;
        Win32Reports* boxes;  // the reports whose message boxes the window owns, if it has them
    };

    MainWindow(HINSTANCE instance, const Parts& parts);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, runs Form_Load, shows the window centred on the
    // screen and gives the tree the focus. Reports a failure and returns false.
    bool create(int showCommand);
    // Delivers events until the window is closed, then runs Form_Terminate; the exit code.
    int run();
    // Delivers every pending event, then returns; a quit message is left for run().
    void deliverPending();
    // Shows the window as after a drag onto it and outlines it for a moment, as the hotkey
    // does (a handle pasted or given on the command line); whether it is a window.
    bool pickWindow(Hwnd target);

    // What the window procedure stub does with an error that no handler dealt with; `context`
    // follows the error's number and description.
    void reportUncaught(const RuntimeError& error, std::wstring_view context = {}) noexcept;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleProbeMessage(HWND probe, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle() const { return window_; }
    HWND control(Control which) const { return controls_[static_cast<std::size_t>(which)]; }
    // The window's own DPI, from its creation or its last DPI change.
    UINT dpi() const { return dpi_; }
    // Sets one of a control's Left, Top, Width and Height, in twips, and moves it there.
    void setControlTwips(Control which, Property property, float twips);
    // The application-wide pointer shape, shown at once and kept over the tool's windows.
    void setPointer(MousePointer shape);
    // Has the window hand the click to TreeClicks after the message it handles now.
    void postTreeClick(NodeId id);

private:
    // The timer that keeps the outline on its window and probes the resting pointer during a
    // drag, and times the outline after a pick.
    static constexpr UINT_PTR kOutlineTimer = 1;
    static constexpr UINT kOutlineRefreshMs = 100;
    // Ctrl+Shift+F11 picks the window under the pointer.
    static constexpr int kPickHotKey = 1;
    // A click on an entry, posted from the tree's notification; wParam: the entry's id.
    static constexpr UINT kTreeClickMessage = WM_APP + 1;

    struct Fonts {
        UniqueFont window;
        UniqueFont tree;
        UniqueFont text;
        UniqueFont tip;  // the system's font for tooltips
        static Fonts make(UINT dpi);
        HFONT get(FontKind kind) const;
    };

    // Creation (MainWindowCreate.cpp).
    // Notes the start-up step that failed, `call` for `subject`, with the system's error code
    // for the report; false.
    bool failStartup(const wchar_t* call, const wchar_t* subject);
    bool registerClasses();
    bool createControls();
    bool createTooltips();
    void applyFonts();
    void applyTipFont();
    void placeControl(Control control);
    void registerPickHotKey();

    // Messages.
    void onCommand(int id, int code);
    LRESULT onNotify(const NMHDR& header);
    void onTreeClick(NodeId id);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    // Puts the focus back where it was; false where the default handling should run.
    bool onActivate(WPARAM wParam);
    void onDestroy();
    // The system's colours or its contrast setting changed.
    void onColoursChanged();
    // The user changed the size of the system's texts, the tooltips' among them.
    void onTextSizeChanged();
    void makeBrushes();
    HBRUSH staticBackground(HWND control, HDC dc);
    void dispatch(MSG& message);
    // Runs the command of a key pressed in the window (KeyCommands.h); whether it had one.
    bool takeKey(const MSG& message);
    void runKeyCommand(KeyCommand command);

    // The probe gesture (MainWindowProbe.cpp).
    void onProbeButtonDown(HWND probe, int button);
    void onProbeButtonUp(HWND probe, int button, WPARAM stillHeld, LPARAM position);
    void onProbeCaptureLost();
    // The outline's refreshes, until the outline is no longer active: a pick's outline goes
    // with the last of them.
    void startOutlineRefreshes();
    void onOutlineTimer();
    void paintProbe(HWND probe);

    HINSTANCE instance_;
    Parts parts_;

    // The failed start-up step and the system's error code, as the report shows them.
    std::wstring startupFailure_;
    HWND window_ = nullptr;
    // Destroyed with the window, owned by it or not (TooltipHosting).
    UniqueWindow tooltip_;
    HWND lastFocus_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    // Each control's Left, Top, Width and Height as last set, in twips.
    std::array<TwipsRect, kControlCount> twips_{};
    UINT dpi_ = 96;
    Fonts fonts_;
    // Made from the palette's colours.
    UniqueBrush background_;
    UniqueBrush probeBackground_;
    MousePointer pointer_ = MousePointer::Default;
    // Resize events reach the handlers only once Form_Load has run.
    bool loaded_ = false;
    // A close that came while the details of a click let events through.
    bool closeWaiting_ = false;
};

}  // namespace quellon::win32
