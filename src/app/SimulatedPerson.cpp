#include "app/SimulatedPerson.h"

#include "app/PersonKeyboard.h"
#include "engine/GroupStore.h"
#include "settings_ui/AssignableItemRowView.h"
#include "settings_ui/GroupDetailView.h"
#include "settings_ui/ItemDrag.h"
#include "settings_ui/ItemRowList.h"
#include "settings_ui/ItemTile.h"
#include "settings_ui/LayoutLane.h"
#include "settings_ui/LayoutView.h"
#include "settings_ui/NewGroupBar.h"
#include "settings_ui/SettingsSidebar.h"
#include "settings_ui/SettingsView.h"
#include "settings_ui/SettingsWindowController.h"
#include "settings_ui/UnresolvedItemsView.h"
#include "sim/SimulatedDesktop.h"
#include "ui/ItemSearchListModel.h"
#include "ui/ItemSearchPanel.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/StripPanel.h"
#include "ui/StripRowButton.h"
#include "ui/StripWindowController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

namespace corvel::app {

namespace {

// A panel holds the keyboard only once the window system has handed its
// window the focus; until then a key goes elsewhere, whatever has focus
// inside the panel.
bool hasKeyboard(const QWidget& panel) {
    return panel.isVisible() && QGuiApplication::focusWindow() == panel.windowHandle();
}

platform::Point centre(const platform::Rect& frame) {
    return {frame.midX(), frame.origin.y + frame.size.height / 2};
}

ItemTile* tileOf(const LayoutLane* lane, const std::string& bundleIdentifier) {
    if (!lane)
        return nullptr;
    const auto& tiles = lane->tiles();
    auto tile = std::find_if(tiles.begin(), tiles.end(), [&](const ItemTile* t) {
        return t->row().bundleID == bundleIdentifier;
    });
    return tile == tiles.end() ? nullptr : *tile;
}

} // namespace

SimulatedPerson::SimulatedPerson(std::shared_ptr<sim::SimulatedDesktop> desktop,
                                 std::shared_ptr<CorvelAppDelegate> delegate)
    : desktop_(std::move(desktop)), delegate_(std::move(delegate)) {}

std::optional<std::string> SimulatedPerson::applicationOf(const StripRowButton& row) const {
    const auto item =
        row.itemID() ? delegate_->stripController()->observedItem(*row.itemID()) : std::nullopt;
    return item ? std::optional(item->identity.bundleID) : std::nullopt;
}

void SimulatedPerson::pressStripRow(const std::string& bundleIdentifier) {
    const auto rows = delegate_->stripController()->panel().rows();
    auto row = std::find_if(rows.begin(), rows.end(), [&](StripRowButton* candidate) {
        return applicationOf(*candidate) == bundleIdentifier;
    });
    if (row == rows.end())
        throw std::runtime_error("the Strip has no row for " + bundleIdentifier);
    QTest::mouseClick(*row, Qt::LeftButton);
}

void SimulatedPerson::typeIntoSearch(const std::string& text) {
    auto& panel = delegate_->searchController()->panel();
    if (!panel.isVisible())
        throw std::runtime_error("the item search is not shown");
    QTest::keyClicks(&panel.field(), QString::fromStdString(text));
}

void SimulatedPerson::pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // The window system hands a key to the window that has the keyboard
    // (one shown a moment ago has it once the window system has said so).
    if (QWindow* window = QGuiApplication::focusWindow(); window && window->isVisible()) {
        QTest::keyClick(window, key, modifiers);
        return;
    }
    const QKeyEvent press(QEvent::KeyPress, key, modifiers);
    if (const auto mac = PersonKeyboard::macKey(press))
        desktop_->pressKey(mac->keyCode, mac->modifierFlags);
}

void SimulatedPerson::clickBarItem(const sim::BarItem& item) {
    desktop_->click(centre(item.frame));
}

void SimulatedPerson::chooseFromOwnMenu(const std::string& title) {
    const auto self = desktop_->currentProcessIdentifier();
    for (const auto& menu : desktop_->openMenus()) {
        if (menu.ownerPid != self)
            continue;
        const auto row = std::find(menu.titles.begin(), menu.titles.end(), title);
        if (row == menu.titles.end())
            break;
        const double y = menu.frame.origin.y + sim::OpenMenu::topPadding +
                         sim::OpenMenu::rowHeight * static_cast<double>(row - menu.titles.begin()) +
                         sim::OpenMenu::rowHeight / 2;
        desktop_->click({menu.frame.midX(), y});
        return;
    }
    throw std::runtime_error("Corvel's menu has no entry \"" + title + "\"");
}

void SimulatedPerson::createGroup(const std::string& name) {
    auto& bar = *delegate_->settingsWindowController()->view().newGroupBar();
    bar.newGroupButton()->click();
    bar.nameField()->setText(QString::fromStdString(name));
    QTest::keyClick(bar.nameField(), Qt::Key_Return);
    if (!group(name))
        throw std::runtime_error("the settings did not make the Group " + name);
}

void SimulatedPerson::chooseInSidebar(const std::string& title) {
    auto* sidebar = delegate_->settingsWindowController()->view().sidebar();
    const auto rows = sidebar->findItems(QString::fromStdString(title), Qt::MatchExactly);
    if (rows.isEmpty())
        throw std::runtime_error("the settings sidebar has no row " + title);
    QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {},
                      sidebar->visualItemRect(rows.front()).center());
}

void SimulatedPerson::showLayoutPane() {
    chooseInSidebar("Layout");
}

void SimulatedPerson::showGroupPane(const std::string& groupName) {
    chooseInSidebar(groupName);
    auto* pane = delegate_->settingsWindowController()->view().groupDetailView();
    const auto target = group(groupName);
    if (!pane || !target || pane->groupID() != target->id)
        throw std::runtime_error("the settings show no pane for the Group " + groupName);
}

void SimulatedPerson::recordShortcut(const std::string& groupName, Qt::Key key,
                                     Qt::KeyboardModifiers modifiers) {
    showGroupPane(groupName);
    record(*shownShortcut(), key, modifiers);
}

void SimulatedPerson::showHiddenGroupPane() {
    chooseInSidebar("Hidden Group");
}

void SimulatedPerson::showUnresolvedPane() {
    chooseInSidebar("Unresolved Items");
}

void SimulatedPerson::renameGroup(const std::string& groupName, const std::string& newName) {
    showGroupPane(groupName);
    QLineEdit* field = delegate_->settingsWindowController()->view().groupDetailView()->nameField();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromStdString(newName));
}

void SimulatedPerson::deleteGroup(const std::string& groupName) {
    showGroupPane(groupName);
    QTest::mouseClick(
        delegate_->settingsWindowController()->view().groupDetailView()->deleteButton(),
        Qt::LeftButton);
}

void SimulatedPerson::chooseInList(const std::string& bundleIdentifier, const std::string& choice) {
    auto& view = delegate_->settingsWindowController()->view();
    // The rows carry no meta-object of their own: they are found through
    // the pane that lists them, not by a cast.
    const ItemRowList* list = nullptr;
    if (view.unresolvedView()->isVisibleTo(view.currentPane()))
        list = view.unresolvedView()->itemRows();
    else if (const auto* pane = view.groupDetailView())
        list = pane->itemRows();
    for (auto* row : list ? list->rowViews() : std::vector<AssignableItemRowView*>{}) {
        if (row->row().bundleID != bundleIdentifier || !row->isVisibleTo(view.currentPane()))
            continue;
        const int index = row->picker()->findText(QString::fromStdString(choice));
        if (index < 0)
            throw std::runtime_error("the row of " + bundleIdentifier + " offers no " + choice);
        // What a click on the menu's entry does.
        row->picker()->setCurrentIndex(index);
        Q_EMIT row->picker()->activated(index);
        return;
    }
    throw std::runtime_error("the pane shown lists no row of " + bundleIdentifier);
}

void SimulatedPerson::recordFindItemShortcut(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    showHiddenGroupPane();
    record(*shownShortcut(), key, modifiers);
}

void SimulatedPerson::record(GlobalShortcutView& shortcut, Qt::Key key,
                             Qt::KeyboardModifiers modifiers) {
    auto* recorder = shortcut.recorder()->recordButton();
    QTest::mouseClick(recorder, Qt::LeftButton);
    // The recorder takes the keyboard once it is clicked.
    QTest::keyClick(recorder, key, modifiers);
}

void SimulatedPerson::clearShortcut() {
    auto* shortcut = shownShortcut();
    if (!shortcut || !shortcut->recorder()->clearButton()->isVisible())
        throw std::runtime_error("the settings show no shortcut to clear");
    QTest::mouseClick(shortcut->recorder()->clearButton(), Qt::LeftButton);
}

GlobalShortcutView* SimulatedPerson::shownShortcut() const {
    const auto& view = delegate_->settingsWindowController()->view();
    auto* pane = view.groupDetailView();
    if (pane && view.currentPane() == pane)
        return pane->shortcutView();
    auto* findItem = view.findItemShortcutView();
    return findItem && findItem->isVisible() ? findItem : nullptr;
}

std::optional<std::string> SimulatedPerson::shortcutShown() const {
    const auto* shortcut = shownShortcut();
    if (!shortcut)
        return std::nullopt;
    return shortcut->recorder()->recordButton()->text().toStdString();
}

std::optional<std::string> SimulatedPerson::shortcutRefusalShown() const {
    const auto* shortcut = shownShortcut();
    if (!shortcut || !shortcut->refusalLabel()->isVisible())
        return std::nullopt;
    return shortcut->refusalLabel()->text().toStdString();
}

void SimulatedPerson::dropIntoGroup(const std::string& bundleIdentifier,
                                    const std::string& groupName) {
    auto& layout = *delegate_->settingsWindowController()->view().layoutView();
    const ItemTile* tile = tileOf(layout.visibleLane(), bundleIdentifier);
    if (!tile)
        throw std::runtime_error("the Layout pane's Menu Bar lane lists no item of " +
                                 bundleIdentifier);
    const auto target = group(groupName);
    LayoutLane* lane = target ? layout.laneFor(target->id) : nullptr;
    if (!lane)
        throw std::runtime_error("the Layout pane has no lane for the Group " + groupName);
    // The drop as the window system delivers it at the end of a drag.
    const auto payload = ItemDrag::mimeData(tile->row().id);
    const QPointF at = QRectF(lane->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, payload.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(lane, &enter);
    QDropEvent drop(at, Qt::MoveAction, payload.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(lane, &drop);
}

bool SimulatedPerson::answerAlert(const std::string& button) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return false;
    for (auto* candidate : box->buttons()) {
        if (candidate->text().toStdString() == button) {
            candidate->click();
            return true;
        }
    }
    return false;
}

std::optional<sim::BarItem>
SimulatedPerson::barItem(const std::function<bool(const sim::BarItem&)>& which) const {
    for (const auto& item : desktop_->itemsLeftToRight())
        if (which(item))
            return item;
    return std::nullopt;
}

std::optional<sim::BarItem> SimulatedPerson::primaryIcon() const {
    return barItem(
        [](const sim::BarItem& item) { return item.name == primaryIconName && !item.isLeftover; });
}

std::optional<Group> SimulatedPerson::group(const std::string& name) const {
    for (const auto& group : delegate_->store()->groups())
        if (group.name == name)
            return group;
    return std::nullopt;
}

std::optional<sim::BarItem> SimulatedPerson::groupIcon(const std::string& groupName) const {
    const auto found = group(groupName);
    if (!found)
        return std::nullopt;
    const std::string name = "Corvel-Chrome-" + found->id.rawValue().text();
    return barItem([&](const sim::BarItem& item) { return item.name == name && !item.isLeftover; });
}

std::vector<sim::BarItem> SimulatedPerson::groupIconsLeftToRight() const {
    const auto self = desktop_->currentProcessIdentifier();
    std::vector<sim::BarItem> icons;
    for (const auto& item : desktop_->itemsLeftToRight()) {
        if (item.creatorPid == self && !item.isLeftover &&
            item.name.starts_with("Corvel-Chrome-") && item.name != primaryIconName)
            icons.push_back(item);
    }
    return icons;
}

std::optional<sim::BarItem>
SimulatedPerson::applicationItem(const std::string& bundleIdentifier) const {
    const auto pid = desktop_->pidOf(bundleIdentifier);
    return barItem([&](const sim::BarItem& item) { return pid && item.creatorPid == *pid; });
}

bool SimulatedPerson::isItemInView(const std::string& bundleIdentifier) const {
    const auto item = applicationItem(bundleIdentifier);
    return item && item->frame.maxX() > 0;
}

bool SimulatedPerson::isTileInLane(const std::string& bundleIdentifier,
                                   const std::string& groupName) const {
    const auto target = group(groupName);
    auto& layout = *delegate_->settingsWindowController()->view().layoutView();
    return target && tileOf(layout.laneFor(target->id), bundleIdentifier);
}

bool SimulatedPerson::isTileListed(const std::string& bundleIdentifier) const {
    const auto& layout = *delegate_->settingsWindowController()->view().layoutView();
    return tileOf(layout.visibleLane(), bundleIdentifier) != nullptr;
}

bool SimulatedPerson::hasOwnMenuOpen() const {
    const auto self = desktop_->currentProcessIdentifier();
    const auto menus = desktop_->openMenus();
    return std::any_of(menus.begin(), menus.end(),
                       [&](const sim::OpenMenu& menu) { return menu.ownerPid == self; });
}

bool SimulatedPerson::hasLeftover() const {
    return barItem([](const sim::BarItem& item) { return item.isLeftover; }).has_value();
}

std::vector<std::string> SimulatedPerson::stripRows() const {
    std::vector<std::string> applications;
    const auto& panel = delegate_->stripController()->panel();
    if (!panel.isVisible())
        return applications;
    for (const StripRowButton* row : panel.rows())
        applications.push_back(applicationOf(*row).value_or(std::string()));
    return applications;
}

std::optional<std::string> SimulatedPerson::focusedStripRow() const {
    const auto& panel = delegate_->stripController()->panel();
    const StripRowButton* row = hasKeyboard(panel) ? panel.focusedRow() : nullptr;
    return row ? applicationOf(*row) : std::nullopt;
}

int SimulatedPerson::stripRowCount() const {
    const auto& panel = delegate_->stripController()->panel();
    return panel.isVisible() ? static_cast<int>(panel.findChildren<StripRowButton*>().size()) : 0;
}

bool SimulatedPerson::isSearchShown() const {
    return delegate_->searchController()->panel().isVisible();
}

bool SimulatedPerson::searchHasKeyboard() const {
    return hasKeyboard(delegate_->searchController()->panel());
}

std::vector<std::string> SimulatedPerson::searchRows() const {
    std::vector<std::string> names;
    const auto& panel = delegate_->searchController()->panel();
    const auto* model = panel.list().model();
    if (!panel.isVisible() || !panel.list().isVisible() || !model)
        return names;
    for (int row = 0; row < model->rowCount(); ++row)
        names.push_back(model->index(row, 0).data().toString().toStdString());
    return names;
}

std::optional<std::string> SimulatedPerson::chosenSearchRow() const {
    return chosenSearchRowText(Qt::DisplayRole);
}

std::optional<std::string> SimulatedPerson::chosenSearchRowApplication() const {
    return chosenSearchRowText(ItemSearchListModel::applicationNameRole);
}

std::optional<std::string> SimulatedPerson::chosenSearchRowText(int role) const {
    const auto& panel = delegate_->searchController()->panel();
    const QModelIndex chosen = panel.list().currentIndex();
    if (!panel.isVisible() || !panel.list().isVisible() || !chosen.isValid())
        return std::nullopt;
    return chosen.data(role).toString().toStdString();
}

} // namespace corvel::app
