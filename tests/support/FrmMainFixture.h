// The main window's handlers on a simulated desktop, with a hosting window, an in-memory tree
// and the probe's outline: the one fixture of the tests that call the handlers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/WindowNodes.h"
#include "app/frmMain.h"
#include "platform/Procedure.h"
#include "tests/support/FakeForm.h"
#include "tests/support/MemoryTree.h"
#include "tests/support/SimDesktop.h"
#include "tests/support/SimOutline.h"

namespace quellon::test {

struct FrmMainFixture : ::testing::Test {
    SimDesktop desktop;
    FakeForm form;
    MemoryTree widget;
    Nodes trv{widget};
    SimOutline outline{desktop};
    FrmMain frm{desktop.platform(), form, trv, outline.geometry, outline.outline};

    FrmMainFixture() { frm.Form_Load(); }

    // A window without text whose class name is its label, so that its entry reads "(label)".
    Hwnd window(const std::wstring& label, Hwnd parent = 0, bool visible = true) {
        WindowSpec spec;
        spec.parent = parent;
        spec.className = label;
        spec.visible = visible;
        return desktop.create(spec);
    }

    Hwnd ownedWindow(const std::wstring& label, Hwnd owner) {
        WindowSpec spec;
        spec.owner = owner;
        spec.className = label;
        return desktop.create(spec);
    }

    void moveOver(Hwnd target, int button = kLeftButton, Point at = {10, 10}) {
        desktop.pointed = target;
        frm.r1_MouseMove(button, at);
    }

    // Runs `change` right before the nth call of `function` about `window` (counting from 1).
    void before(const std::string& function, Hwnd window, int nth, std::function<void()> change) {
        auto seen = std::make_shared<int>(0);
        desktop.beforeCall = [=, change = std::move(change)](const std::string& called,
                                                             Hwnd about) {
            if (called == function && about == window && ++*seen == nth) change();
        };
    }

    std::wstring tree() const { return widget.describe(); }
    // The tree's first entry, the desktop's, once there is a tree.
    Node desktopNode() const { return *trv.fromId(widget.item(1).id); }
    std::wstring selectedEntry() const { return widget.item(widget.selected()).text; }

    static std::wstring report(int line, StandardError error,
                               std::wstring_view procedure = L"r1_MouseMove") {
        return report(line, runtimeError(error), procedure);
    }
    static std::wstring report(int line, const RuntimeError& error,
                               std::wstring_view procedure = L"r1_MouseMove") {
        return errorReport(line, error, {procedure, kFormFrmMain});
    }
};

}  // namespace quellon::test
