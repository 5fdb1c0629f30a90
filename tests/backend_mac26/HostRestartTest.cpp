// What a real Mac does under the backend: Control Center restarts (asked for
// or on its own), Screen Recording withdrawn, show-all kept open.
#include "Mac26SimFixture.h"
#include "backend_mac26/Mac26OwnNames.h"

namespace corvel::test {
namespace {

const Uuid primary = Uuid::literal("00000000-0000-0000-0000-0000000000F0");
const Uuid groupHandle = Uuid::literal("AAAAAAAA-1111-4111-8111-111111111111");
constexpr const char* controlCenter = "com.apple.controlcenter";

class HostRestartTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        Mac26SimTest::SetUp();
        prepare();
        run(backend->placeOwnChrome({OwnChromeIcon{primary, std::nullopt, 0},
                                     OwnChromeIcon{groupHandle, "folder.fill", 1}}));
    }

    /// Files the item into the region and hides it, as assigning it does.
    void file(const std::string& name) {
        ASSERT_EQ(failureOf(backend->moveIntoHiddenRegion(observed(name))), std::nullopt);
        ASSERT_EQ(failureOf(backend->hideRegion()), std::nullopt);
    }
    /// Control Center quits as if on its own and comes back 400 ms later.
    void restartHost() {
        desktop->quitApplication(controlCenter);
        loop.advance(1s);
        ASSERT_TRUE(desktop->pidOf(controlCenter));
    }
    std::vector<ObservedItem> items() {
        return run(backend->currentItems()).value_or(std::vector<ObservedItem>{});
    }
    std::optional<ObservedItem> itemOf(const std::string& bundleID) {
        for (const auto& item : items())
            if (item.identity.bundleID == bundleID)
                return item;
        return std::nullopt;
    }
    bool anyOwnWindowObserved() {
        const auto observedItems = items();
        for (const auto& bar : desktop->itemsLeftToRight())
            if (Mac26OwnNames::hasOwnPrefix(bar.name, "Corvel-"))
                for (const auto& item : observedItems)
                    if (item.id == Mac26WindowToken::token(bar.windowNumber))
                        return true;
        return false;
    }
};

// The host gives every window it hosts a new number when it comes back; a
// filed item, pushed off the screen, must still be known for what it is.
TEST_P(HostRestartTest, aFiledItemKeepsItsIdentityAndStaysHiddenWhenControlCenterRestarts) {
    file("testbed.one");
    const auto before = *itemOf("com.example.testbed");
    ASSERT_TRUE(before.isInHiddenRegion);

    restartHost();

    const auto after = itemOf("com.example.testbed");
    ASSERT_TRUE(after) << "the filed item lost its identity";
    EXPECT_EQ(after->identity, before.identity);
    EXPECT_TRUE(after->isInHiddenRegion);
    EXPECT_EQ(after->id == before.id, !hosted()) << "hosted windows come back renumbered";
}

// An application that does not answer cannot say whose a renumbered window
// is: the window keeps the identity of the one that stood in its place, and
// the host that owns it never lends its own.
TEST_P(HostRestartTest, aWindowNoWalkCanNameKeepsItsPredecessorsIdentityNeverTheHosts) {
    file("testbed.one");
    loop.advance(2s); // the poll's scans see the filed item where it now stands
    desktop->setApplicationHung("com.example.testbed", true);
    restartHost();

    const auto after = itemOf("com.example.testbed");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->identity.title, "Testbed One");
    EXPECT_TRUE(after->isInHiddenRegion);
    for (const auto& item : items()) {
        if (item.identity.bundleID == controlCenter) {
            EXPECT_NE(item.frame->x, after->frame->x) << item.identity.title;
        }
    }
}

// Control Center restarting on its own renumbers Corvel's own windows too; a
// repair afterwards must know them and find nothing to restart for.
TEST_P(HostRestartTest, aRepairAfterARestartOnItsOwnFindsNoGhostsAmongCorvelsOwnWindows) {
    restartHost();
    desktop->set("CORVEL_ALLOW_HOST_RESTART", "1");

    EXPECT_EQ(run(backend->recoverFromGhosts()), GhostRecoveryOutcome::clean());
    EXPECT_EQ(desktop->counters().launches, 0);
}

// Without Screen Recording hosted windows have no names, Corvel's own
// included; they are known by number and by the walk, never filed as items.
TEST_P(HostRestartTest, withScreenRecordingWithdrawnOwnWindowsAreNoItemsAndNothingMoves) {
    file("testbed.one");
    desktop->setScreenRecordingGranted(false);

    EXPECT_FALSE(anyOwnWindowObserved());
    restartHost();
    EXPECT_FALSE(anyOwnWindowObserved()) << "after a renumbering too";
    EXPECT_TRUE(observed("testbed.one").isInHiddenRegion);
    EXPECT_EQ(failureOf(backend->hideRegion()), std::nullopt) << "the icons are no foreign items";
    EXPECT_EQ(failureOf(backend->moveOutOfHiddenRegion(observed("testbed.one"))),
              BackendError::underlying("moveOutOfHiddenRegion: Screen Recording is not granted; "
                                       "nothing is moved until it is"));
    EXPECT_TRUE(observed("testbed.one").isInHiddenRegion);

    desktop->setScreenRecordingGranted(true);
    EXPECT_EQ(failureOf(backend->moveOutOfHiddenRegion(observed("testbed.one"))), std::nullopt);
}

// Show-all opens the region on purpose: filing an item, or putting back a
// pressed one, must not close it before show-all ends.
TEST_P(HostRestartTest, aRegionRevealedOnPurposeStaysOpenWhileItemsAreFiledIntoIt) {
    file("testbed.one");
    ASSERT_EQ(failureOf(backend->revealRegion()), std::nullopt);
    loop.advance(100ms);

    ASSERT_EQ(failureOf(backend->moveIntoHiddenRegion(observed("twinlight.a"))), std::nullopt);
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::menuAutoClose,
                                                    async::Duration(std::chrono::seconds(1))));
    EXPECT_EQ(failureOf(backend->press(observed("testbed.one"))), std::nullopt);
    loop.advance(100ms);

    EXPECT_EQ(barItem("Corvel-HiddenRegionSpacer")->length, Mac26Backend::restingLength);
    EXPECT_TRUE(observed("twinlight.a").isInHiddenRegion);
    EXPECT_GE(barItem("twinlight.a")->frame.origin.x, 0) << "filed, and in view until the end";
    EXPECT_GE(barItem("testbed.one")->frame.origin.x, 0);

    ASSERT_EQ(failureOf(backend->hideRegion()), std::nullopt);
    EXPECT_LT(barItem("twinlight.a")->frame.origin.x, 0);
    EXPECT_LT(barItem("testbed.one")->frame.origin.x, 0);
}

// Show-all may end while Control Center is away: the hide waits for the
// spacer to be listed again, under its new number and, without Screen
// Recording, without its name.
TEST_P(HostRestartTest, aHideWhileControlCenterRestartsHidesTheRegionOnceTheSpacerIsBack) {
    file("testbed.one");
    ASSERT_EQ(failureOf(backend->revealRegion()), std::nullopt);
    desktop->setScreenRecordingGranted(false);
    desktop->quitApplication(controlCenter);

    EXPECT_EQ(failureOf(backend->hideRegion()), std::nullopt);
    const auto spacer = barItem("Corvel-HiddenRegionSpacer");
    ASSERT_TRUE(spacer) << "Control Center is back";
    EXPECT_EQ(spacer->length, Mac26Backend::hiddenLength);
    EXPECT_LT(barItem("testbed.one")->frame.origin.x, 0);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, HostRestartTest, ::testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
