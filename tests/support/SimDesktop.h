// A simulated desktop behind the platform interfaces: windows with parents, owners, z-ordered
// children, texts, classes, styles and client sizes; processes and their executables; the
// version value; the system's colours and contrast setting; and a screen (SimScreen.h) that draws
// into those windows. Functions can be made missing, and hooks can change the desktop while the
// code under test is querying it. Every process handle and snapshot handed out is counted until it
// is given back.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/SystemColours.h"
#include "tests/support/SimScreen.h"

namespace quellon::test {

struct WindowSpec {
    Hwnd parent = 0;  // child window of this parent; 0 for a top-level window
    Hwnd owner = 0;   // owner of a top-level window
    // Pop-up style (no WS_CHILD): one moved into a parent with SetParent sits among its children,
    // but GetParent still names the owner, or 0.
    bool popup = false;
    std::wstring text;
    std::wstring className = L"Static";
    bool visible = true;  // the window's own visible style
    std::uint32_t processId = 100;
    std::uint32_t threadId = 1;
    std::int32_t style = 0;  // GWL_STYLE as given, whatever the fields above say
    int clientWidth = 100;
    int clientHeight = 60;
    Hwnd handle = 0;  // 0: the desktop picks the next free handle
};

struct SimWindow {
    WindowSpec spec;
    std::vector<Hwnd> children;  // top of the z-order first
    std::int32_t exStyle = 0;
    bool topmost = false;
    std::uint8_t alpha = 255;
    bool layeredAttributesSet = false;
};

struct SimProcess {
    std::uint32_t id = 0;
    std::string snapshotName;  // szExeFile as the snapshot reports it (narrow)
    bool snapshotNameTerminated = true;
    std::wstring modulePath;      // what GetModuleFileNameEx reports
    bool openable = true;         // with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ
    bool openableLimited = true;  // with PROCESS_QUERY_LIMITED_INFORMATION
    bool modulesReadable = true;
};

// What the tool reported, one text per message box.
using ReportTexts = std::vector<std::wstring>;

class SimDesktop : public WindowQueries, public Processes, public Reports, public SystemColours {
public:
    static constexpr Hwnd kDesktop = 0x10010;

    SimDesktop();

    Hwnd create(WindowSpec spec);
    void destroy(Hwnd window);  // with all its descendants
    void reparent(Hwnd window, Hwnd newParent);
    void moveToBottom(Hwnd window);
    bool exists(Hwnd window) const { return windows_.count(window) != 0; }
    SimWindow& window(Hwnd handle) { return windows_.at(handle); }
    const std::vector<Hwnd>& topLevel() const { return windows_.at(kDesktop).children; }

    // --- state a test sets up or inspects ---
    Hwnd pointed = 0;                    // what WindowFromPoint answers
    Point askedAt;                       // where WindowFromPoint was asked last
    Point cursor{10, 10};                // what GetCursorPos answers
    bool cursorReadable = true;          // false: GetCursorPos fails (another input desktop)
    std::uint32_t version = 0x23F00206;  // NT family; set bit 31 for the 95 family
    std::vector<SimProcess> processes;
    bool snapshotFails = false;
    std::set<std::string> missing;  // functions the system lacks
    ReportTexts messages;
    std::vector<Handle> closedHandles;  // every CloseHandle argument, in order
    std::map<std::string, int> calls;   // call counts by function name
    // The system's colours by index (COLOR_...), Windows' defaults, and its contrast setting.
    std::map<int, Colour> systemColours{{win::kColorWindow, 0xFFFFFF},
                                        {win::kColorWindowText, 0x000000},
                                        {win::kColorHighlight, 0xD77800},
                                        {win::kColorBtnFace, 0xF0F0F0},
                                        {win::kColorBtnText, 0x000000}};
    bool highContrastOn = false;
    // Called before every function runs, with its name and the window it is asked about.
    std::function<void(const std::string& function, Hwnd window)> beforeCall;

    int openKernelHandles() const { return static_cast<int>(kernelHandles_.size()); }

    // Draws into these windows and changes their z-order and style.
    SimScreen screen{*this};

    // The pieces that the handlers are given: this desktop and its screen.
    Platform platform() { return {*this, *this, screen, *this}; }

    // --- WindowQueries ---
    bool getCursorPos(Point& point) override;
    Hwnd windowFromPoint(Point point) override;
    Hwnd getWindow(Hwnd window, Relation relation) override;
    Hwnd getParent(Hwnd window) override;
    Hwnd getAncestor(Hwnd window, unsigned flags) override;
    Hwnd getDesktopWindow() override;
    bool isWindowVisible(Hwnd window) override;
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override;
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override;

    // --- Processes ---
    std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override;
    std::uint32_t getVersion() override;
    Handle createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool process32First(Handle snapshot, ProcessRecord& record) override;
    bool process32Next(Handle snapshot, ProcessRecord& record) override;
    Handle openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
    bool closeHandle(Handle handle) override;
    bool queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                   std::uint32_t* size) override;
    bool enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                            std::uint32_t* bytesNeeded) override;
    std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                      std::uint32_t capacity) override;
    std::wstring fromActiveCodePage(std::string_view narrow) override;

    // --- Reports ---
    void messageBox(const std::wstring& text) override;

    // --- SystemColours ---
    bool highContrast() override { return highContrastOn; }
    Colour colour(int index) override { return systemColours.at(index); }

    // Counts the call, raises for a missing function and runs beforeCall.
    void enter(const std::string& function, const char* library, Hwnd window = 0);
    SimWindow* find(Hwnd window);

private:
    struct KernelHandle {
        enum class Kind { Snapshot, Process } kind;
        std::uint32_t processId = 0;  // for a process handle
        std::uint32_t access = 0;     // for a process handle
        std::size_t nextProcess = 0;  // for a snapshot
    };

    std::vector<Hwnd>& siblingsOf(Hwnd window);
    void unlink(Hwnd window);
    bool fillRecord(Handle snapshot, ProcessRecord& record, bool first);
    const SimProcess* process(std::uint32_t id) const;

    std::map<Hwnd, SimWindow> windows_;
    std::map<Handle, KernelHandle> kernelHandles_;
    Hwnd nextHandle_ = kDesktop + 2;
    Handle nextKernelHandle_ = 0x40;
};

}  // namespace quellon::test
