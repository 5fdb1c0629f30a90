#include "backend_mac26/Mac26CapturePrecheck.h"
#include "backend_mac26/Mac26ChromeOrderPlanner.h"
#include "backend_mac26/Mac26GhostClassifier.h"
#include "backend_mac26/Mac26GhostRecoveryPlanner.h"
#include "backend_mac26/RevealSupervisionDecider.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using Step = RevealSupervisionDecider::Step;
using Slot = Mac26ChromeSlot;
using Action = Mac26GhostRecoveryPlanner::Action;
using Decision = Mac26CapturePrecheck::Decision;
using Candidate = Mac26GhostClassifier::Candidate;

TEST(RevealSupervisionDecider, aPresentMenuKeepsPollingAndConfirmsEvenPastTheDeadline) {
    RevealSupervisionDecider decider;
    EXPECT_EQ(decider.observe(true, true), Step::keepPolling);
    EXPECT_TRUE(decider.confirmedOpen);
    EXPECT_EQ(decider.observe(true, false), Step::keepPolling);
    EXPECT_TRUE(decider.confirmedOpen);
}

TEST(RevealSupervisionDecider, aMenuGoneAfterBeingSeenConcludesWhateverTheDeadline) {
    RevealSupervisionDecider early;
    early.observe(true, false);
    EXPECT_EQ(early.observe(false, false), Step::concludeClosedAfterConfirmedOpen);
    RevealSupervisionDecider late;
    late.observe(true, false);
    EXPECT_EQ(late.observe(false, true), Step::concludeClosedAfterConfirmedOpen);
    EXPECT_TRUE(late.confirmedOpen);
}

TEST(RevealSupervisionDecider, noMenuWaitsUntilTheDeadlineAndThenForcesTheRecovery) {
    RevealSupervisionDecider decider;
    EXPECT_EQ(decider.observe(false, false), Step::keepPolling);
    EXPECT_EQ(decider.observe(false, true), Step::forceRecovery);
    EXPECT_FALSE(decider.confirmedOpen);
}

OwnChromeIcon icon(Uuid handle, std::int64_t order) {
    return {handle, std::string("folder.fill"), order};
}

const Uuid handle1 = Uuid::literal("AAAAAAAA-0000-0000-0000-000000000000");
const Uuid handle2 = Uuid::literal("BBBBBBBB-0000-0000-0000-000000000000");
const Uuid handle3 = Uuid::literal("CCCCCCCC-0000-0000-0000-000000000000");

TEST(Mac26ChromeOrderPlanner, putsTheSpacerLeftmostAndCreatesRightToLeftWithTheSpacerLast) {
    const std::vector<OwnChromeIcon> icons{icon(handle3, 2), icon(handle1, 0), icon(handle2, 1)};
    EXPECT_EQ(Mac26ChromeOrderPlanner::desiredLeftToRight(icons),
              (std::vector<Slot>{Slot::spacer(), Slot::icon(handle1), Slot::icon(handle2),
                                 Slot::icon(handle3)}));
    EXPECT_EQ(Mac26ChromeOrderPlanner::creationOrder(icons),
              (std::vector<Slot>{Slot::icon(handle3), Slot::icon(handle2), Slot::icon(handle1),
                                 Slot::spacer()}));
}

TEST(Mac26ChromeOrderPlanner, iconsOfEqualOrderKeepTheirGivenOrderInBothLists) {
    const std::vector<OwnChromeIcon> icons{icon(handle2, 1), icon(handle1, 1), icon(handle3, 0)};
    EXPECT_EQ(Mac26ChromeOrderPlanner::desiredLeftToRight(icons),
              (std::vector<Slot>{Slot::spacer(), Slot::icon(handle3), Slot::icon(handle2),
                                 Slot::icon(handle1)}));
    EXPECT_EQ(Mac26ChromeOrderPlanner::creationOrder(icons),
              (std::vector<Slot>{Slot::icon(handle1), Slot::icon(handle2), Slot::icon(handle3),
                                 Slot::spacer()}));
}

TEST(Mac26ChromeOrderPlanner, anEmptyListPlansTheSpacerAlone) {
    EXPECT_EQ(Mac26ChromeOrderPlanner::creationOrder({}), std::vector<Slot>{Slot::spacer()});
    EXPECT_TRUE(Mac26ChromeOrderPlanner::matches({Slot::spacer()}, {}));
}

TEST(Mac26ChromeOrderPlanner, matchesOnlyTheExactDesiredSequence) {
    const std::vector<OwnChromeIcon> icons{icon(handle1, 0), icon(handle2, 1)};
    EXPECT_TRUE(Mac26ChromeOrderPlanner::matches(
        {Slot::spacer(), Slot::icon(handle1), Slot::icon(handle2)}, icons));
    EXPECT_FALSE(Mac26ChromeOrderPlanner::matches(
        {Slot::icon(handle1), Slot::spacer(), Slot::icon(handle2)}, icons));
    EXPECT_FALSE(Mac26ChromeOrderPlanner::matches({Slot::spacer(), Slot::icon(handle1)}, icons));
    EXPECT_NE(Slot::icon(handle1), Slot::icon(handle2));
    EXPECT_NE(std::hash<Slot>{}(Slot::icon(handle1)), std::hash<Slot>{}(Slot::spacer()));
}

TEST(Mac26GhostClassifier, untrackedWindowsWithTheCaseSensitiveOwnPrefixAreGhosts) {
    const std::vector<Candidate> windows{{5, "Corvel-HiddenRegionSpacer"},
                                         {9, "Corvel-Chrome-1234"},
                                         {3, "com.example.alpha"},
                                         {4, "corvel-Chrome-1234"},
                                         {6, "Corvel"},
                                         {7, "Corvel-"}};
    EXPECT_EQ(Mac26GhostClassifier::ghostWindowIDs(windows, "Corvel", {5}),
              (std::vector<std::uint32_t>{9, 7}));
}

TEST(Mac26GhostClassifier, afterARestartEachLiveNameClaimsOneWindowAndTheRestAreGhosts) {
    // The host renumbered the live spacer (now 41) and icon (now 42); a
    // leftover spacer of a crashed run kept its number 12 and its name.
    const std::vector<Candidate> windows{{12, "Corvel-HiddenRegionSpacer"},
                                         {41, "Corvel-HiddenRegionSpacer"},
                                         {42, "Corvel-Chrome-A"},
                                         {43, "Corvel-Chrome-Gone"},
                                         {44, "com.example.alpha"}};
    const auto claim = Mac26GhostClassifier::claimAfterRestart(
        windows, "Corvel", {"Corvel-HiddenRegionSpacer", "Corvel-Chrome-A"}, {12, 43});
    EXPECT_EQ(claim.ghostWindowIDs, (std::vector<std::uint32_t>{12, 43}));
    EXPECT_EQ(claim.ownWindowIDsByName,
              (std::map<std::string, std::uint32_t>{{"Corvel-HiddenRegionSpacer", 41},
                                                    {"Corvel-Chrome-A", 42}}));
}

TEST(Mac26GhostClassifier, aLiveNameWithOnlyAKnownGhostWindowStillClaimsIt) {
    const std::vector<Candidate> windows{{12, "Corvel-HiddenRegionSpacer"}};
    const auto claim = Mac26GhostClassifier::claimAfterRestart(
        windows, "Corvel", {"Corvel-HiddenRegionSpacer", "Corvel-Chrome-Missing"}, {12});
    EXPECT_TRUE(claim.ghostWindowIDs.empty());
    EXPECT_EQ(claim.ownWindowIDsByName.at("Corvel-HiddenRegionSpacer"), 12u);
    EXPECT_FALSE(claim.ownWindowIDsByName.contains("Corvel-Chrome-Missing"));
}

TEST(Mac26GhostRecoveryPlanner, restartsOnlyWhenThereAreGhostsAndItIsAllowed) {
    EXPECT_EQ(Mac26GhostRecoveryPlanner::plan(0, true), Action::reportClean());
    EXPECT_EQ(Mac26GhostRecoveryPlanner::plan(-1, false), Action::reportClean());
    EXPECT_EQ(Mac26GhostRecoveryPlanner::plan(2, true), Action::performHostRestart(2));
    EXPECT_EQ(Mac26GhostRecoveryPlanner::plan(2, false), Action::reportRequiresHostRestart());
    EXPECT_NE(Action::performHostRestart(2), Action::performHostRestart(3));
}

TEST(Mac26CapturePrecheck, beingOnScreenIsCheckedBeforeThePermission) {
    const auto offScreen = Decision::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen);
    EXPECT_EQ(Mac26CapturePrecheck::decide(false, false, true), offScreen);
    EXPECT_EQ(Mac26CapturePrecheck::decide(false, true, false), offScreen);
    EXPECT_EQ(Mac26CapturePrecheck::decide(true, true, false), offScreen);
    EXPECT_EQ(Mac26CapturePrecheck::decide(true, true, true), offScreen);
    EXPECT_EQ(Mac26CapturePrecheck::decide(true, false, false),
              Decision::unavailable(CaptureUnavailableReason::screenRecordingNotGranted));
    EXPECT_EQ(Mac26CapturePrecheck::decide(true, false, true), Decision::proceed());
}

} // namespace
} // namespace corvel
