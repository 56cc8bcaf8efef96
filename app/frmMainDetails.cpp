// The details of a clicked tree entry: handle, class, process, executable and client size in
// the text box, then one flash of the window's client area.
#include <cstdint>
#include <utility>

#include "app/DetailsLines.h"
#include "app/HandleText.h"
#include "app/NumberText.h"
#include "app/TextBuffer.h"
#include "app/WindowNodes.h"
#include "app/frmMain.h"
#include "modules/mdlProcessesGeneral.h"
#include "platform/Procedure.h"

namespace quellon {

namespace {

constexpr std::uint32_t kFlashMilliseconds = 200;

// The window's device context, given back after the flash or when a failed step ends the
// handler: each one left behind stays allocated in the system until the tool exits.
class WindowDC {
public:
    WindowDC(Screen& screen, Hwnd window)
        : screen_(screen), window_(window), dc_(screen.getDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { release(); }

    Handle get() const { return dc_; }
    void release() {
        if (dc_ == 0) return;
        const Handle dc = std::exchange(dc_, 0);
        skipOnError([&] { screen_.releaseDC(window_, dc); });
    }

private:
    Screen& screen_;
    Hwnd window_;
    Handle dc_;
};

// Rectangle sides of a window in the middle of a move can be anything; a difference that
// does not fit into 32 bits is an overflow of the toolkit's integer arithmetic.
std::int32_t extent(std::int32_t from, std::int32_t to) {
    const std::int64_t size = std::int64_t{to} - from;
    if (size < INT32_MIN || size > INT32_MAX) raise(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(size);
}

}  // namespace

void FrmMain::trvw_NodeClick(Node node) { writeDetails(node, Flash::On); }

void FrmMain::writeDetails(Node node, Flash flash) {
    runNumbered(reports_, {L"trvw_NodeClick", kFormFrmMain}, [&](int& line) {
        line = 20;
        // An int, not 16 bits: the tree of a large window hierarchy has more than 32767 entries.
        if (trvw().index(node) == 1) return;
        line = 30;
        // The node is read here and never again: the events delivered during the flash may
        // rebuild the tree and remove it.
        const std::wstring key = trvw().key(node);
        const std::wstring digits(keyDigits(key));
        const Hwnd handle = keyWindow(key);
        line = 40;
        std::wstring text = std::wstring(detailsLabel(DetailsLine::Handle)) + digits + L"  (" +
                            handleText(handle) + L")\r\n";
        TextBuffer className{};
        line = 60;
        const int classLength = windows_.getClassName(handle, className.data(), kTextCapacity);
        line = 70;
        text += std::wstring(detailsLabel(DetailsLine::ClassName)) +
                copiedText(className, classLength) + L"\r\n";
        line = 80;
        std::uint32_t processId = 0;
        processes_.getWindowThreadProcessId(handle, &processId);
        line = 90;
        const auto signedId = static_cast<std::int32_t>(processId);
        text += std::wstring(detailsLabel(DetailsLine::ProcessId)) + std::to_wstring(signedId) +
                L"(&H" + hexText(signedId) + L")\r\n";
        line = 100;
        text += std::wstring(detailsLabel(DetailsLine::Module)) +
                mdlProcessesGeneral::GetProcInfo(processes_, reports_, processId) + L"\r\n";
        line = 110;
        Rect client;
        screen_.getClientRect(handle, client);
        line = 120;
        const std::int32_t width = extent(client.left, client.right);
        line = 130;
        const std::int32_t height = extent(client.top, client.bottom);
        line = 140;
        const double twipsX = double{form_.twipsPerPixelX()} * width;
        const double twipsY = double{form_.twipsPerPixelY()} * height;
        const std::wstring separator = screen_.decimalSeparator();
        text += std::wstring(detailsLabel(DetailsLine::Size)) + std::to_wstring(width) + L" x " +
                std::to_wstring(height) + L" Pixel( " + generalText(twipsX, separator) + L" x " +
                generalText(twipsY, separator) + L" Twips)";
        line = 150;
        form_.setTxtInfText(text);
        if (flash == Flash::Off) return;
        line = 160;
        WindowDC dc(screen_, handle);
        line = 170;
        screen_.invertRect(dc.get(), client);
        line = 180;
        form_.doEvents();
        line = 190;
        screen_.sleep(kFlashMilliseconds);
        line = 200;
        screen_.invertRect(dc.get(), client);
        dc.release();
        line = 210;
        form_.doEvents();
    });
}

}  // namespace quellon
