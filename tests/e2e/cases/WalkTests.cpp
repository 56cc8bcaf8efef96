// The descendant walk read back from the tool's tree: the fixture's known hierarchy, pictures
// by visibility, owned windows left out.
#include <windows.h>

#include "../driver/E2eTest.h"
#include "../driver/Probe.h"
#include "../driver/Session.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;

namespace {

void checkDescendants(TestContext& t, const TreeItem* target,
                      const std::vector<TreeItem>& expected) {
    if (!target) return;
    t.check(target->children == expected,
            cat("descendants of ", quote(target->text), ": expected", describe(expected),
                "\n       got", describe(target->children)));
}

}  // namespace

E2E_TEST(walk_fixture_hierarchy) {
    const FixtureWindows& f = t.session().fixture();
    POINT bare = clientToScreen(f.main, kBareMainPoint);
    t.require(probeAndCheck(t, bare, fixtureMainEntry()), "no chain");
    // Children in creation order, which is their z-order; the owned dialog is no child.
    std::vector<TreeItem> expected = {
        expectedEntry(
            kOuterText, kPanelClass, 1,
            {expectedEntry(kMiddleText, kPanelClass, 1,
                           {expectedEntry(kInnerText, kPanelClass, 1,
                                          {expectedEntry(kDeepButtonText, kButtonClass, 1)})})}),
        expectedEntry(kHiddenText, kPanelClass, 2,
                      {expectedEntry(kVisibleInHiddenText, kButtonClass, 2)}),
        expectedEntry(kForeignText, kPanelClass, 1),
        expectedEntry(kQuotedText, kPanelClass, 1),
        expectedEntry(longText().substr(0, 254), kPanelClass, 1),
    };
    checkDescendants(t, checkChain(t, readTree(t.session()), {fixtureMainEntry()}), expected);
}

E2E_TEST(walk_owned_dialog_subtree) {
    const FixtureWindows& f = t.session().fixture();
    POINT bare = clientToScreen(f.dialog, {5, 5});
    t.require(probeAndCheck(t, bare, fixtureDialogEntry()), "no chain");
    checkDescendants(
        t, checkChain(t, readTree(t.session()), {fixtureMainEntry(), fixtureDialogEntry()}),
        {expectedEntry(kOkText, kButtonClass, 1)});
}
