#include "Mac26SimFixture.h"
#include "backend_mac26/Mac26OwnNames.h"
#include "platform/Menu.h"

namespace corvel::test {
namespace {

const Uuid handleA = Uuid::literal("AAAAAAAA-1111-4111-8111-111111111111");
const Uuid handleB = Uuid::literal("BBBBBBBB-2222-4222-8222-222222222222");
const Uuid handleC = Uuid::literal("CCCCCCCC-3333-4333-8333-333333333333");
const Uuid handleD = Uuid::literal("DDDDDDDD-4444-4444-8444-444444444444");

OwnChromeIcon groupIcon(const Uuid& handle, std::int64_t order) {
    return {handle, std::string("folder.fill"), order};
}

std::string nameOf(const Uuid& handle) {
    return Mac26OwnNames::iconName("Corvel", handle);
}

class ChromePlacementTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        Mac26SimTest::SetUp();
        prepare();
    }

    std::vector<BackendItemToken> place(std::vector<OwnChromeIcon> icons) {
        startedAt = loop.now();
        auto tokens = run(backend->placeOwnChrome(std::move(icons)));
        return tokens.value_or(std::vector<BackendItemToken>{});
    }

    std::vector<MenuBarChangeEvent> ownChromeClicks() {
        std::vector<MenuBarChangeEvent> clicks;
        for (const auto& event : takeEvents())
            if (event.kind() == MenuBarChangeEvent::Kind::ownChromeClicked)
                clicks.push_back(event);
        return clicks;
    }

    /// Corvel's own items as a person sees them, left to right.
    std::vector<std::string> ownLeftToRight() const {
        std::vector<std::string> names;
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.name.starts_with("Corvel-"))
                names.push_back(item.name);
        return names;
    }
};

TEST_P(ChromePlacementTest, laysTheSpacerLeftmostAndTheIconsByAscendingOrderAllOnScreen) {
    const auto tokens =
        place({groupIcon(handleC, 2), groupIcon(handleA, 0), groupIcon(handleB, 1)});

    EXPECT_EQ(ownLeftToRight(), (std::vector<std::string>{spacerName, nameOf(handleA),
                                                          nameOf(handleB), nameOf(handleC)}));
    EXPECT_EQ(tokens, (std::vector<BackendItemToken>{token(nameOf(handleA)), token(nameOf(handleB)),
                                                     token(nameOf(handleC))}));
    for (const auto& handle : {handleA, handleB, handleC}) {
        const auto icon = barItem(nameOf(handle));
        ASSERT_TRUE(icon);
        EXPECT_GE(icon->frame.minX(), 0);
        EXPECT_EQ(icon->length, 24.0);
        EXPECT_EQ(icon->identifier, handle.text());
        EXPECT_EQ(icon->accessibilityTitle, nameOf(handle));
        EXPECT_EQ(icon->imagePosition, platform::ImagePosition::imageOnly);
        ASSERT_TRUE(icon->image);
        EXPECT_EQ(icon->image->symbolName(), "folder.fill");
        EXPECT_TRUE(icon->image->isTemplate());
    }
}

TEST_P(ChromePlacementTest, iconsOfEqualOrderKeepTheirGivenOrder) {
    place({groupIcon(handleB, 1), groupIcon(handleA, 1), groupIcon(handleC, 0)});

    EXPECT_EQ(ownLeftToRight(), (std::vector<std::string>{spacerName, nameOf(handleC),
                                                          nameOf(handleB), nameOf(handleA)}));
}

TEST_P(ChromePlacementTest, anEmptyListLeavesTheSpacerAloneAndNoPrimaryIcon) {
    place({OwnChromeIcon{primary, std::nullopt, 0}, groupIcon(handleA, 1)});
    ASSERT_TRUE(backend->primaryIconFrame());

    const auto tokens = place({});

    EXPECT_TRUE(tokens.empty());
    EXPECT_EQ(ownLeftToRight(), std::vector<std::string>{spacerName});
    EXPECT_FALSE(backend->primaryIconFrame());
}

TEST_P(ChromePlacementTest, theSpacerComesBackAsWideAsItWasSoAHiddenRegionStaysHidden) {
    run(backend->hideRegion());
    ASSERT_EQ(barItem(spacerName)->length, 10000.0);

    place({OwnChromeIcon{primary, std::nullopt, 0}});

    EXPECT_EQ(barItem(spacerName)->length, 10000.0);
    EXPECT_GE(barItem(nameOf(primary))->frame.minX(), 0) << "the icon stays in view";
}

TEST_P(ChromePlacementTest, theFirstIconWithoutSymbolIsThePrimaryIconWithTheGlyphAndTheMenu) {
    auto menu = std::make_shared<platform::Menu>();
    platform::MenuItem settings;
    settings.title = "Settings…";
    menu->addItem(settings);
    backend->attachPrimaryIconMenu(menu);

    place({groupIcon(handleA, 1), OwnChromeIcon{primary, std::nullopt, 0}});

    const auto icon = barItem(nameOf(primary));
    ASSERT_TRUE(icon && icon->image);
    EXPECT_EQ(icon->image->accessibilityDescription(), "Corvel");
    EXPECT_TRUE(icon->image->isTemplate());
    const auto frame = *backend->primaryIconFrame();
    EXPECT_EQ(frame.x, icon->frame.minX());
    desktop->click({icon->frame.midX(), 12});
    loop.advance(100ms);
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    EXPECT_EQ(desktop->openMenus().front().titles, std::vector<std::string>{"Settings…"});
    EXPECT_TRUE(ownChromeClicks().empty()) << "a click that opens the menu is not reported";
}

TEST_P(ChromePlacementTest, aClickOnAGroupIconBecomesOwnChromeClickedWithTheIconsFrame) {
    place({OwnChromeIcon{primary, std::nullopt, 0}, groupIcon(handleA, 1)});
    const auto frame = barItem(nameOf(handleA))->frame;

    desktop->click({frame.midX(), 12});
    loop.runUntilIdle();

    EXPECT_EQ(
        ownChromeClicks(),
        (std::vector<MenuBarChangeEvent>{MenuBarChangeEvent::ownChromeClicked(
            handleA, ItemFrame{frame.minX(), frame.minY(), frame.size.width, frame.size.height})}));
}

TEST_P(ChromePlacementTest, placingAgainFollowsTheNewPlanRatherThanRememberedPlaces) {
    place({groupIcon(handleA, 0), groupIcon(handleB, 1)});

    place({groupIcon(handleB, 0), groupIcon(handleA, 1)});
    EXPECT_EQ(ownLeftToRight(),
              (std::vector<std::string>{spacerName, nameOf(handleB), nameOf(handleA)}));

    place({groupIcon(handleB, 0), groupIcon(handleA, 1), groupIcon(handleD, 2)});
    EXPECT_EQ(ownLeftToRight(), (std::vector<std::string>{spacerName, nameOf(handleB),
                                                          nameOf(handleA), nameOf(handleD)}));
    run(backend->hideRegion());
    EXPECT_GE(barItem(nameOf(handleD))->frame.minX(), 0) << "a new icon is never hidden";
}

TEST_P(ChromePlacementTest, placingTwiceInARowKeepsThePlannedOrder) {
    const std::vector<OwnChromeIcon> icons{OwnChromeIcon{primary, std::nullopt, 0},
                                           groupIcon(handleA, 1), groupIcon(handleB, 2)};
    place(icons);
    const auto first = ownLeftToRight();

    place(icons);

    EXPECT_EQ(ownLeftToRight(), first);
    EXPECT_EQ(first, (std::vector<std::string>{spacerName, nameOf(primary), nameOf(handleA),
                                               nameOf(handleB)}));
}

TEST_P(ChromePlacementTest, aWrongAchievedOrderIsPlacedOnceMoreFromScratch) {
    const std::size_t before = statusBar->created.size();
    // A person drags an icon once it shows, before its bounds are seen to
    // settle, so the order read back is not the planned one.
    auto drag = loop.after(80ms, [this] {
        desktop->commandDrag({barItem(nameOf(handleA))->frame.midX(), 12},
                             {barItem(nameOf(handleB))->frame.maxX() + 30, 12});
    });

    place({groupIcon(handleA, 0), groupIcon(handleB, 1)});

    EXPECT_EQ(statusBar->created.size() - before, 6u) << "two blocks of three were created";
    EXPECT_EQ(ownLeftToRight(),
              (std::vector<std::string>{spacerName, nameOf(handleA), nameOf(handleB)}));
}

TEST_P(ChromePlacementTest, namesThatNeverRegisterFailTheWholePlacementAndLeaveNothing) {
    desktop->setAccessibilityReadCost(0ms); // the placement's own waits, not the poll's reads
    desktop->setItemFaults(nameOf(handleA), faultWith(&sim::ItemFaults::neverRegisters, true));

    EXPECT_EQ(
        attempt(discard(backend->placeOwnChrome({groupIcon(handleA, 0)}))),
        BackendError::underlying("placeOwnChrome: chrome block never registered in CGWindowList"));

    EXPECT_EQ(sinceStart(loop.now()), 1500ms);
    EXPECT_TRUE(ownLeftToRight().empty());
}

// Quitting cancels what waits; a cancelled wait at the gate ends at once,
// so a placement that looked again would spin on the main thread forever.
TEST_P(ChromePlacementTest, aPlacementCancelledWhileQueuedBehindAnotherEnds) {
    auto running = async::spawn(loop, discard(backend->placeOwnChrome({groupIcon(handleA, 0)})));
    loop.runUntilIdle();
    auto queued = async::spawn(loop, discard(backend->placeOwnChrome({groupIcon(handleB, 0)})));
    loop.runUntilIdle();
    ASSERT_FALSE(queued.isDone());

    queued.cancel();
    loop.runUntilIdle();

    EXPECT_TRUE(queued.isDone());
    EXPECT_TRUE(queued.failure());
    loop.advance(3s);
    EXPECT_TRUE(running.isDone());
    EXPECT_EQ(ownLeftToRight(), (std::vector<std::string>{spacerName, nameOf(handleA)}));
}

TEST_P(ChromePlacementTest, regionOperationsWaitForARunningPlacement) {
    bool revealed = false;
    auto placing = async::spawn(loop, discard(backend->placeOwnChrome({groupIcon(handleA, 0)})));
    loop.runUntilIdle();
    auto revealing = async::spawn(loop, [](Mac26Backend* backend, bool* done) -> async::Task<void> {
        co_await backend->revealRegion();
        *done = true;
    }(backend.get(), &revealed));

    loop.advance(100ms);
    EXPECT_FALSE(revealed);
    loop.advance(2s);
    EXPECT_TRUE(placing.isDone());
    EXPECT_TRUE(revealed);
}

TEST_P(ChromePlacementTest, placementsQueuedBehindARunningOneRunOneAfterTheOther) {
    std::vector<async::SpawnHandle> placements;
    for (const auto& icons : {std::vector<OwnChromeIcon>{groupIcon(handleA, 0)},
                              std::vector<OwnChromeIcon>{groupIcon(handleB, 0)},
                              std::vector<OwnChromeIcon>{groupIcon(handleC, 0)}})
        placements.push_back(async::spawn(loop, discard(backend->placeOwnChrome(icons))));

    loop.advance(10s);

    for (const auto& placement : placements)
        EXPECT_TRUE(placement.isDone());
    EXPECT_EQ(ownLeftToRight(), (std::vector<std::string>{spacerName, nameOf(handleC)}))
        << "one block in the bar: the last one placed";
}

TEST_P(ChromePlacementTest, placementNeedsPrepare) {
    startWith(backendScenario(GetParam()));

    EXPECT_EQ(attempt(discard(backend->placeOwnChrome({groupIcon(handleA, 0)}))),
              BackendError::underlying("prepare() must be called before placeOwnChrome()"));
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, ChromePlacementTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
