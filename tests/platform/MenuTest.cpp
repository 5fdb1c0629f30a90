#include "platform/Menu.h"

#include <gtest/gtest.h>

namespace corvel::platform {
namespace {

MenuItem titled(std::string title, std::function<void()> action) {
    MenuItem item;
    item.title = std::move(title);
    item.action = std::move(action);
    return item;
}

TEST(MenuTest, TheUpdateHandlerRebuildsTheEntriesEachTimeTheMenuIsAboutToOpen) {
    Menu menu;
    int opened = 0;
    menu.setUpdateHandler([&](Menu& m) {
        m.removeAllItems();
        m.addItem(titled("Open " + std::to_string(++opened), nullptr));
    });
    EXPECT_TRUE(menu.items().empty());
    EXPECT_EQ(menu.prepareToOpen().front().title, "Open 1");
    EXPECT_EQ(menu.prepareToOpen().size(), 1u);
    EXPECT_EQ(menu.items().front().title, "Open 2");
}

TEST(MenuTest, OnlyEnabledEntriesWithAnActionCanBePerformed) {
    Menu menu;
    int runs = 0;
    menu.addItem(titled("Run", [&] { ++runs; }));
    menu.addItem(MenuItem::separator());
    auto disabled = titled("Off", [&] { ++runs; });
    disabled.isEnabled = false;
    menu.addItem(disabled);
    menu.addItem(titled("Nothing", nullptr));
    EXPECT_TRUE(menu.performItem(0));
    EXPECT_FALSE(menu.performItem(1));
    EXPECT_FALSE(menu.performItem(2));
    EXPECT_FALSE(menu.performItem(3));
    EXPECT_FALSE(menu.performItem(4));
    EXPECT_EQ(runs, 1);
}

TEST(MenuTest, AnActionMayClearTheMenuThatRunsIt) {
    auto menu = std::make_shared<Menu>();
    bool ran = false;
    menu->addItem(titled("Clear", [&menu, &ran] {
        menu->removeAllItems();
        menu.reset();
        ran = true;
    }));
    auto keep = menu;
    EXPECT_TRUE(keep->performItem(0));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(keep->items().empty());
}

} // namespace
} // namespace corvel::platform
