// The picture of the tool in the README: a probe dropped on the OK button of the fixture's
// dialog, the dialog's entry clicked, its details in the text box. It runs only on request
// (scripts/screenshot.sh): it checks nothing the other cases do not, and it moves the dialog.
#include <windows.h>

#include <string>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/Probe.h"
#include "../driver/RemoteMemory.h"
#include "../driver/Screenshot.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "DetailsExpectations.h"
#include "SteadyInput.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

// Room around the windows in the picture.
constexpr LONG kMargin = 8;

RECT grown(RECT r, LONG by) {
    InflateRect(&r, by, by);
    return r;
}

// Puts the fixture's dialog beside the tool, so that the picture holds the probed button too,
// and back where the other cases expect it when the picture is taken.
class DialogBesideTool {
public:
    DialogBesideTool(HWND dialog, const RECT& tool) : dialog_(dialog), home_(windowRect(dialog)) {
        moveTo({tool.right + kMargin, tool.top});
    }
    ~DialogBesideTool() { moveTo({home_.left, home_.top}); }
    DialogBesideTool(const DialogBesideTool&) = delete;
    DialogBesideTool& operator=(const DialogBesideTool&) = delete;

private:
    void moveTo(POINT p) {
        SetWindowPos(dialog_, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        waitUntil([&] {
            RECT r = windowRect(dialog_);
            return r.left == p.x && r.top == p.y;
        });
    }

    HWND dialog_;
    RECT home_;
};

}  // namespace

E2E_ON_REQUEST_TEST(readme_screenshot) {
    const FixtureWindows& f = t.session().fixture();
    const ToolWindows& tool = t.session().tool();
    RECT toolRect = windowRect(tool.main);
    DialogBesideTool beside(f.dialog, toolRect);
    t.require(
        probeAndCheck(t, centreOf(windowRect(f.byId(kIdOk))), entryFor(kOkText, kButtonClass)),
        "no chain");
    auto entries = shownEntries(t.session(), {f.dialog});
    t.require(entries.size() == 1, "the dialog's entry is not on the screen");
    std::wstring module = executablePath(processOf(f.main));
    t.require(clickAndCheckDetails(t, entries[0].entry, expectedDetails(f.dialog, module)),
              "no details");

    // Away from both windows, so that no tool tip covers them in the picture.
    moveSteadily({20, GetSystemMetrics(SM_CYSCREEN) - 20});
    t.session().settleTool();
    RECT both{};
    RECT dialogRect = windowRect(f.dialog);
    UnionRect(&both, &toolRect, &dialogRect);
    std::wstring picture = saveScreenshot(grown(both, kMargin), L"readme_screenshot");
    t.require(!picture.empty(), "no picture written (is QUELLON_E2E_SCREENSHOTS set?)");
    note("screenshot: " + utf8(picture));
}
