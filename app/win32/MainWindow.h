// The tool's main window: creates the window and its controls as designed, hosts the
// handlers of FrmMain (which it serves as FormHost) and turns window messages into their
// events: the probe gesture, the hotkey, button clicks, tree clicks, keys, resizing, and DPI
// changes. It also owns the probe's outline and its windows.
#pragma once

#include "app/frmMain.h"
#include "app/FormHost.h"
#include "app/ProbeOutline.h"
#include "app/treeview/Nodes.h"
#include "platform/RuntimeError.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32WindowGeometry.h"

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "app/win32/Controls.h"
#include "app/win32/OutlineWindows.h"
#include "app/win32/TreeTextKeys.h"
#include "app/win32/TreeViewControl.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

class MainWindow : public FormHost {
public:
    // The tool's window: the running system's platform, reports in message boxes it owns.
    MainWindow(HINSTANCE instance, Win32Reports& reports);
    // The same window on another platform, whose reports go where the platform's go (the
    // benchmark aims the probe and keeps the reports).
    MainWindow(HINSTANCE instance, const Platform& platform);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, runs Form_Load, shows the window centred on the
    // screen and gives the tree the focus. Reports a failure and returns false.
    bool create(int showCommand);
    // Delivers events until the window is closed, then runs Form_Terminate; the exit code.
    int run();
    // Shows the window as after a drag onto it and outlines it for a moment, as the hotkey
    // does (a handle pasted or given on the command line); whether it is a window.
    bool pickWindow(Hwnd target);

    // What the window procedure stub does with an error that no handler dealt with; `context`
    // follows the error's number and description.
    void reportUncaught(const RuntimeError& error, std::wstring_view context = {}) noexcept;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleProbeMessage(HWND probe, UINT message, WPARAM wParam, LPARAM lParam);

    HWND control(Control which) const { return controls_[static_cast<std::size_t>(which)]; }
    TreeViewControl& tree() { return tree_; }

    // FormHost
    Hwnd hwnd() override;
    float twipsPerPixelX() override;
    float twipsPerPixelY() override;
    void setMousePointer(MousePointer shape) override;
    void doEvents() override;
    std::int32_t width() override;
    std::int32_t height() override;
    void setControl(Control control, Property property, float twips) override;
    int chkTopValue() override;
    void setTxtInfText(const std::wstring& text) override;

private:
    // The timer that keeps the outline on its window during a drag, and times it after a pick.
    static constexpr UINT_PTR kOutlineTimer = 1;
    static constexpr UINT kOutlineRefreshMs = 100;
    // Ctrl+Shift+F11 picks the window under the pointer.
    static constexpr int kPickHotKey = 1;

    struct Fonts {
        UniqueFont window;
        UniqueFont tree;
        UniqueFont text;
        static Fonts make(UINT dpi);
        HFONT get(FontKind kind) const;
    };

    // Notes the start-up step that failed, `call` for `subject`, with the system's error code
    // for the report; false.
    bool failStartup(const wchar_t* call, const wchar_t* subject);
    bool registerClasses();
    bool createControls();
    bool createTooltips();
    void applyFonts();
    void placeControl(Control control);
    RECT designRect() const;

    void onCommand(int id, int code);
    LRESULT onNotify(const NMHDR& header);
    void onDpiChanged(const RECT& suggested);
    // Puts the focus back where it was; false where the default handling should run.
    bool onActivate(WPARAM wParam);
    HBRUSH staticBackground(HWND control, HDC dc);
    void dispatch(MSG& message);
    // Ctrl+C, Ctrl+Shift+C and Ctrl+V in the tree and Ctrl+A in the details box; whether the
    // key was one of them.
    bool takeEditingKey(const MSG& message);
    void registerPickHotKey();

    // The probe gesture.
    void onProbeButtonDown(HWND probe, int button);
    void onProbeButtonUp(HWND probe, int button, WPARAM stillHeld, LPARAM position);
    void onProbeCaptureLost();
    void paintProbe(HWND probe);

    MainWindow(HINSTANCE instance, const Platform& platform, Win32Reports* boxes);

    HINSTANCE instance_;
    Reports& reports_;
    Win32Reports* boxes_;  // the reports whose message boxes the window owns, if it has them
    TreeViewControl tree_;
    Nodes nodes_;
    Win32WindowGeometry geometry_;
    OutlineWindows outlineWindows_;
    ProbeOutline outline_;
    FrmMain frmMain_;
    TreeTextKeys treeTextKeys_;

    // The failed start-up step and the system's error code, as the report shows them.
    std::wstring startupFailure_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    // Each control's Left, Top, Width and Height as last set, in twips.
    std::array<TwipsRect, kControlCount> twips_{};
    Fonts fonts_;
    UniqueBrush background_;
    UniqueBrush probeBackground_;
    MousePointer pointer_ = MousePointer::Default;
    // Resize events reach the handlers only once Form_Load has run.
    bool loaded_ = false;
    // Tree clicks being handled (they nest while the details let events through), and a close
    // that came in meanwhile.
    int treeClicksRunning_ = 0;
    bool closeWaiting_ = false;
};

}  // namespace quellon::win32
