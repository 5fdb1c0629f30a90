#include "engine/ItemSearchViewModel.h"

#include "async/ManualLoop.h"
#include "domain/WellKnownGroup.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using namespace std::chrono_literals;
using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;
using PNG = std::vector<std::uint8_t>;

ObservedItem observed(std::string bundleID, std::string title, std::optional<double> x,
                      bool hidden) {
    std::optional<ItemFrame> frame;
    if (x)
        frame = ItemFrame{*x, 0, 22, 24};
    return ObservedItem{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title}, hidden,
                        frame};
}

class ItemSearchViewModelTest : public ::testing::Test {
  protected:
    ItemSearchViewModelTest() {
        store->upsertGroup(Group{work, "Work", "folder.fill", std::nullopt, 0});
        store->upsertItem(Item{ItemID::random(), vpn.identity, 0, work, "Tunnel"});
        store->upsertItem(Item{ItemID::random(), notes.identity, 0, WellKnownGroup::hidden});
        store->upsertItem(Item{ItemID::random(), orphan.identity, 0, GroupID::random()});
        backend->setItems({clock, loose, vpn, noFrame, notes, orphan});
    }

    std::vector<ItemSearchRow> refresh() { return test::runTask(loop, viewModel->refreshRows()); }
    std::vector<std::string> found(std::string_view text) const {
        std::vector<std::string> names;
        for (auto at : viewModel->search(text))
            names.push_back(viewModel->rows()[at].displayName);
        return names;
    }

    async::ManualLoop loop;
    test::TemporaryFolder folder;
    test::MemoryLog log;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<GroupStore> store =
        std::make_shared<GroupStore>(loop, loop, folder / "store.json", 250ms, log,
                                     [] { return std::chrono::system_clock::time_point{}; });
    const GroupID work = GroupID::random();
    const ObservedItem clock = observed("com.apple.controlcenter", "Clock", 1400, false);
    const ObservedItem loose = observed("com.example.driftwood", "Driftwood", 900, false);
    const ObservedItem vpn = observed("org.example.harbor", "Harbor VPN", -600, true);
    const ObservedItem noFrame = observed("com.example.gone", "", std::nullopt, false);
    const ObservedItem notes = observed("org.example.lumen", "Lumen Notes", -800, true);
    const ObservedItem orphan = observed("com.example.orrery", "Orrery", 700, false);
    std::shared_ptr<ItemSearchViewModel> viewModel = ItemSearchViewModel::create(
        backend, ItemAssignmentCoordinator::create(backend, store), store,
        [](const std::string& bundleID) -> std::optional<std::string> {
            if (bundleID == "org.example.harbor")
                return "Harbor";
            return std::nullopt;
        });
};

TEST_F(ItemSearchViewModelTest, listsEveryFilableItemLeftToRightWithItsApplicationAndItsPlace) {
    const auto rows = refresh();

    std::vector<std::tuple<std::string, std::string, std::string>> shown;
    for (const auto& row : rows)
        shown.emplace_back(row.displayName, row.applicationName, row.place);
    EXPECT_EQ(shown, (decltype(shown){{"Lumen Notes", "lumen", "Hidden Group"},
                                      {"Tunnel", "Harbor", "Work"},
                                      {"Orrery", "orrery", "Menu Bar"},
                                      {"Driftwood", "driftwood", "Menu Bar"},
                                      {"gone", "gone", "Menu Bar"}}));
    EXPECT_EQ(viewModel->observedItem(rows[1].id), vpn);
    EXPECT_EQ(viewModel->observedItem(ItemID::random()), std::nullopt);
}

TEST_F(ItemSearchViewModelTest, typedTextFindsRowsAndAnItemPressedFromTheSearchComesFirstAfter) {
    refresh();
    EXPECT_EQ(found(""),
              (std::vector<std::string>{"Lumen Notes", "Tunnel", "Orrery", "Driftwood", "gone"}));
    EXPECT_EQ(found("harb"), std::vector<std::string>{"Tunnel"}) << "by its application's name";
    EXPECT_EQ(found("o"),
              (std::vector<std::string>{"Orrery", "Driftwood", "gone", "Lumen Notes", "Tunnel"}));

    viewModel->noteUsed(refresh()[4].id);
    EXPECT_EQ(found("o"),
              (std::vector<std::string>{"Orrery", "gone", "Driftwood", "Lumen Notes", "Tunnel"}));
    refresh();
    EXPECT_EQ(found("o").at(1), "gone") << "kept across refreshes";
}

TEST_F(ItemSearchViewModelTest, picturesComeAfterTheRowsAndOnlyForItemsInView) {
    backend->setCaptureResult(
        CaptureResult::captured(ItemSnapshot{std::chrono::system_clock::time_point{}, PNG{7, 7}}));

    for (const auto& row : refresh())
        EXPECT_EQ(row.iconPNG, std::nullopt);
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 0u);

    EXPECT_TRUE(test::runTask(loop, viewModel->captureMissingPictures()));
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 3u) << "Orrery, Driftwood, gone";
    EXPECT_EQ(viewModel->rows()[2].iconPNG, (PNG{7, 7}));
    EXPECT_EQ(viewModel->rows()[0].iconPNG, std::nullopt);

    EXPECT_FALSE(test::runTask(loop, viewModel->captureMissingPictures()));
    EXPECT_EQ(refresh()[3].iconPNG, (PNG{7, 7}));
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 3u);
}

} // namespace
} // namespace corvel
