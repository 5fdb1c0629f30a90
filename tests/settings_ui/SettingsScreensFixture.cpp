#include "SettingsScreensFixture.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <stdexcept>

namespace corvel::test {

using namespace std::chrono_literals;

SettingsScreensFixture::SettingsScreensFixture() {
    store = std::make_shared<GroupStore>(loop, loop, folder / "store.json", 250ms, log,
                                         [] { return std::chrono::system_clock::time_point{}; });
    coordinator = ItemAssignmentCoordinator::create(backend, store);
    viewModel = SettingsViewModel::create(store, coordinator, screenRecording);
    desktop = sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::defaultScenario());
    // The log outlives the setting: both are this fixture's.
    launchAtLogin = std::make_shared<LaunchAtLoginSetting>(
        desktop->services().launchAtLogin,
        std::shared_ptr<platform::SystemLog>(std::shared_ptr<void>(), &log));
    screens = std::make_unique<SettingsScreens>(
        viewModel, loop, std::make_shared<AppIconProvider>(desktop), alerts, launchAtLogin);
}

SettingsScreensFixture::~SettingsScreensFixture() {
    // Widgets deleted later must go before the view model they observe.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void SettingsScreensFixture::showItems(const std::vector<ItemIdentity>& identities) {
    std::vector<ObservedItem> items;
    double x = 600;
    for (const auto& identity : identities) {
        items.push_back(ObservedItem{BackendItemToken(Uuid::random()), identity, false,
                                     ItemFrame{x, 0, 22, 24}});
        x += 30;
    }
    backend->setItems(items);
    runTask(loop, viewModel->refreshRows());
    settle();
}

Group SettingsScreensFixture::addGroup(const std::string& name, const std::string& symbol) {
    auto group = viewModel->createGroup(name, symbol);
    if (!group)
        throw std::logic_error("addGroup: refused");
    settle();
    return *group;
}

AssignableItemRow SettingsScreensFixture::row(const std::string& title) const {
    for (const auto& row : viewModel->rows().value())
        if (row.displayName == title)
            return row;
    throw std::logic_error("no row named " + title);
}

void SettingsScreensFixture::file(const std::string& title, const GroupID& group) {
    runTask(loop, viewModel->assign(row(title).id, group));
    settle();
}

void SettingsScreensFixture::settle() {
    for (int round = 0; round < 50; ++round) {
        const auto ran = loop.runUntilIdle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        if (ran == 0 && loop.runUntilIdle() == 0)
            return;
    }
}

bool SettingsScreensFixture::dragEnterAccepted(QWidget* target, const QString& text,
                                               QPoint position) {
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(position, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    return enter.isAccepted();
}

bool SettingsScreensFixture::drop(QWidget* target, const QString& text, QPoint position) {
    QMimeData data;
    data.setText(text);
    // As the window system does: a widget that refuses the drag never gets
    // the drop (Qt delivers it to the widget that accepted the drag last).
    QDragEnterEvent enter(position, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(position, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent dropped(position, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    const bool accepted = dropped.isAccepted();
    settle();
    return accepted;
}

} // namespace corvel::test
