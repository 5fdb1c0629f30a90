#include "app/Tour.h"

#include "app/ScenePhotographer.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "engine/GroupStore.h"
#include "settings_ui/ItemDrag.h"
#include "settings_ui/LayoutLane.h"
#include "settings_ui/LayoutView.h"
#include "settings_ui/NewGroupBar.h"
#include "settings_ui/SettingsView.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/SimulatedDesktop.h"
#include "ui/StripPanel.h"
#include "ui/StripRowButton.h"
#include "ui/StripWindowController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace corvel::app {

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds pollInterval(20);
constexpr std::uint16_t escapeKeyCode = 53;
// Rows of a menu window, as the simulated desktop lays them out.
constexpr double menuTopPadding = 5;
constexpr double menuRowHeight = 22;

const std::string leftoverName = "Corvel-Chrome-5B2E9C41-7D3A-4F60-9E8B-1C2D3E4F5A6B";
const std::string primaryIconName = "Corvel-Chrome-00000000-0000-0000-0000-0000000000F0";

// The Items the tour files, by their applications' bundle identifiers.
struct Filing {
    const char* bundleIdentifier;
    const char* group;
};
constexpr Filing filings[] = {
    {"com.example.driftwood", "Work"},
    {"net.example.orrery", "Work"},
    {"com.example.cobble", "Media"},
};

class StepFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

platform::Point centre(const platform::Rect& frame) {
    return {frame.midX(), frame.origin.y + frame.size.height / 2};
}

} // namespace

sim::Scenario Tour::prepared(sim::Scenario scenario) {
    scenario.leftovers.push_back({leftoverName, 24, 4242});
    scenario.restartKeepsLeftovers = true;
    return scenario;
}

Tour::Tour(CorvelApplication& application, std::filesystem::path folder, platform::SystemLog& log)
    : application_(application), folder_(std::move(folder)), log_(log) {}

void Tour::start(std::function<void()> finished) {
    async::spawn(application_.mainLoop(), play(this, std::move(finished)));
}

async::Task<void> Tour::play(Tour* tour, std::function<void()> finished) {
    try {
        auto playing = tour->steps();
        co_await std::move(playing);
        tour->done_ = true;
    } catch (const std::exception& error) {
        tour->failure_ = error.what();
        tour->log_.write("Corvel: tour stopped — " + tour->failure_);
        tour->logMenuBar();
        tour->photograph("failed");
    }
    finished();
}

async::Task<void> Tour::steps() {
    auto& desktop = *application_.desktop();

    co_await expect("Corvel has launched: its icon stands in the menu bar, beside a leftover of "
                    "a crashed run",
                    [&] {
                        return application_.delegate()->launchTask().isDone() && primaryIcon() &&
                               hasLeftover();
                    });

    clickBarItem(*primaryIcon());
    co_await expect("A click on Corvel's icon opens its menu", [&] { return hasOwnMenuOpen(); });

    chooseFromOwnMenu("Settings\u2026");
    auto& settings = *application_.delegate()->settingsWindowController();
    co_await expect("Settings\u2026 opens the settings window",
                    [&] { return settings.window().isVisible(); });

    createGroup("Work");
    createGroup("Media");
    co_await expect("Two Groups made in the settings show their icons in the menu bar, in order",
                    [&] {
                        const auto icons = groupIconsLeftToRight();
                        const auto work = groupIcon("Work");
                        const auto media = groupIcon("Media");
                        return icons.size() == 2 && work && media &&
                               icons[0].windowNumber == work->windowNumber &&
                               icons[1].windowNumber == media->windowNumber;
                    });

    settings.view().select(SettingsSidebarSelection::layout());
    co_await waitUntil(
        "the Layout pane lists the menu bar's items",
        [&] { return settings.view().layoutView()->visibleLane()->tiles().size() >= 3; }, 10s);
    // One at a time, as a hand does: the next drop once the settings show
    // the last one filed and its item has left the menu bar.
    for (const auto& filing : filings) {
        dropIntoGroup(filing.bundleIdentifier, filing.group);
        co_await waitUntil(
            std::string("the item of ") + filing.bundleIdentifier + " is filed and hidden",
            [&] {
                return isTileInLane(filing.bundleIdentifier, filing.group) &&
                       !isItemInView(filing.bundleIdentifier);
            },
            10s);
    }
    co_await expect("Three items dropped on the Groups' lanes leave the visible menu bar", [&] {
        return std::none_of(std::begin(filings), std::end(filings),
                            [&](const Filing& f) { return isItemInView(f.bundleIdentifier); });
    });

    settings.window().close();
    clickBarItem(*groupIcon("Work"));
    co_await expect("A click on the Work icon opens its Strip under the icon, with its two items",
                    [&] { return stripRowCount() == 2; });

    const auto driftwoodPid = desktop.pidOf("com.example.driftwood");
    const auto rows =
        application_.delegate()->stripController()->panel().findChildren<StripRowButton*>();
    auto pressed = std::find_if(rows.begin(), rows.end(), [&](StripRowButton* row) {
        const auto item =
            row->itemID() ? application_.delegate()->stripController()->observedItem(*row->itemID())
                          : std::nullopt;
        return item && item->identity.bundleID == "com.example.driftwood";
    });
    if (pressed == rows.end())
        throw StepFailed("the Strip has no row for Driftwood");
    QTest::mouseClick(*pressed, Qt::LeftButton);
    co_await expect("A click on a row brings the real item out and opens its own menu", [&] {
        const auto menus = desktop.openMenus();
        return menus.size() == 1 && menus[0].ownerPid == driftwoodPid &&
               isItemInView("com.example.driftwood");
    });

    desktop.pressKey(escapeKeyCode);
    co_await expect("Escape closes the menu and the item goes back into the hidden region", [&] {
        return desktop.openMenus().empty() && !isItemInView("com.example.driftwood");
    });

    clickBarItem(*primaryIcon());
    co_await waitUntil(
        "the menu opens", [&] { return hasOwnMenuOpen(); }, 10s);
    chooseFromOwnMenu("Show All Items for 30 Seconds");
    co_await expect("Show All brings every filed item into view", [&] {
        return std::all_of(std::begin(filings), std::end(filings),
                           [&](const Filing& f) { return isItemInView(f.bundleIdentifier); });
    });

    clickBarItem(*primaryIcon());
    co_await waitUntil(
        "the menu opens", [&] { return hasOwnMenuOpen(); }, 10s);
    chooseFromOwnMenu("Hide All Items Now");
    co_await expect("Hide All puts them away again at once", [&] {
        return std::none_of(std::begin(filings), std::end(filings),
                            [&](const Filing& f) { return isItemInView(f.bundleIdentifier); });
    });

    // Control Center clears leftovers when it restarts, as it normally does.
    desktop.setRestartKeepsLeftovers(false);
    clickBarItem(*primaryIcon());
    co_await waitUntil(
        "the menu opens", [&] { return hasOwnMenuOpen(); }, 10s);
    chooseFromOwnMenu("Repair Menu Bar");
    bool confirmed = false;
    co_await waitUntil(
        "Repair Menu Bar clears the leftover and says so",
        [&] {
            if (!confirmed && answerAlert("Repair")) {
                confirmed = true;
                photograph("Corvel asks before it restarts Control Center");
            }
            const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box && box->text() == "Menu Bar Repaired" && !hasLeftover();
        },
        20s, true);
    photograph("Repair Menu Bar cleared the leftover of the crashed run");
    answerAlert("OK");
    co_await expect("The menu bar is tidy: the Group icons and Corvel's icon, the filed items "
                    "hidden",
                    [&] { return !QApplication::activeModalWidget() && !hasLeftover(); });
}

async::Task<void> Tour::expect(std::string step, std::function<bool()> condition,
                               std::chrono::milliseconds limit) {
    auto waiting = waitUntil(step, std::move(condition), limit);
    co_await std::move(waiting);
    photograph(step);
}

async::Task<void> Tour::waitUntil(const std::string& step, std::function<bool()> condition,
                                  std::chrono::milliseconds limit, bool alertsExpected) {
    const auto deadline = application_.mainLoop().now() + limit;
    while (!condition()) {
        const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !alertsExpected)
            throw StepFailed("step " + std::to_string(step_ + 1) + " (" + step +
                             ") met an alert: " + box->text().toStdString() + " — " +
                             box->informativeText().toStdString());
        if (application_.mainLoop().now() > deadline)
            throw StepFailed("step " + std::to_string(step_ + 1) + " did not happen: " + step);
        co_await async::sleepFor(pollInterval);
    }
}

void Tour::logMenuBar() {
    // What the window server held when the tour stopped, left to right.
    for (const auto& item : application_.desktop()->itemsLeftToRight()) {
        std::ostringstream line;
        line << "Corvel: tour saw window " << item.windowNumber << " \"" << item.name << "\" pid "
             << item.creatorPid << " x " << item.frame.origin.x << " width "
             << item.frame.size.width << (item.isLeftover ? " (leftover)" : "");
        log_.write(line.str());
    }
}

void Tour::photograph(const std::string& step) {
    ++step_;
    std::ostringstream name;
    name << "step-" << std::setw(2) << std::setfill('0') << step_ << ".png";
    const auto path = folder_ / name.str();
    if (!ScenePhotographer(application_.view()).save(QString::fromStdString(path.string())))
        throw StepFailed("cannot write " + path.string());
    pictures_.push_back(path);
    log_.write("Corvel: tour step " + std::to_string(step_) + " — " + step + " (" + name.str() +
               ")");
}

void Tour::clickBarItem(const sim::BarItem& item) {
    application_.desktop()->click(centre(item.frame));
}

void Tour::chooseFromOwnMenu(const std::string& title) {
    const auto self = application_.desktop()->currentProcessIdentifier();
    for (const auto& menu : application_.desktop()->openMenus()) {
        if (menu.ownerPid != self)
            continue;
        const auto row = std::find(menu.titles.begin(), menu.titles.end(), title);
        if (row == menu.titles.end())
            break;
        const double y = menu.frame.origin.y + menuTopPadding +
                         menuRowHeight * static_cast<double>(row - menu.titles.begin()) +
                         menuRowHeight / 2;
        application_.desktop()->click({menu.frame.midX(), y});
        return;
    }
    throw StepFailed("Corvel's menu has no entry \"" + title + "\"");
}

void Tour::createGroup(const std::string& name) {
    auto& bar = *application_.delegate()->settingsWindowController()->view().newGroupBar();
    bar.newGroupButton()->click();
    bar.nameField()->setText(QString::fromStdString(name));
    QTest::keyClick(bar.nameField(), Qt::Key_Return);
    if (!group(name))
        throw StepFailed("the settings did not make the Group " + name);
}

void Tour::dropIntoGroup(const std::string& bundleIdentifier, const std::string& groupName) {
    auto& layout = *application_.delegate()->settingsWindowController()->view().layoutView();
    const auto& tiles = layout.visibleLane()->tiles();
    auto tile = std::find_if(tiles.begin(), tiles.end(), [&](const ItemTile* t) {
        return t->row().bundleID == bundleIdentifier;
    });
    const auto target = group(groupName);
    LayoutLane* lane = target ? layout.laneFor(target->id) : nullptr;
    if (tile == tiles.end() || !lane)
        throw StepFailed("no tile for " + bundleIdentifier + " or no lane for " + groupName);
    // The drop as the window system delivers it at the end of a drag.
    const auto payload = ItemDrag::mimeData((*tile)->row().id);
    const QPointF at = QRectF(lane->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, payload.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(lane, &enter);
    QDropEvent drop(at, Qt::MoveAction, payload.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(lane, &drop);
}

bool Tour::answerAlert(const std::string& button) {
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
Tour::barItem(const std::function<bool(const sim::BarItem&)>& which) const {
    for (const auto& item : application_.desktop()->itemsLeftToRight())
        if (which(item))
            return item;
    return std::nullopt;
}

std::optional<sim::BarItem> Tour::primaryIcon() const {
    return barItem(
        [](const sim::BarItem& item) { return item.name == primaryIconName && !item.isLeftover; });
}

std::optional<Group> Tour::group(const std::string& name) const {
    for (const auto& group : application_.delegate()->store()->groups())
        if (group.name == name)
            return group;
    return std::nullopt;
}

std::optional<sim::BarItem> Tour::groupIcon(const std::string& groupName) const {
    const auto found = group(groupName);
    if (!found)
        return std::nullopt;
    const std::string name = "Corvel-Chrome-" + found->id.rawValue().text();
    return barItem([&](const sim::BarItem& item) { return item.name == name && !item.isLeftover; });
}

std::vector<sim::BarItem> Tour::groupIconsLeftToRight() const {
    const auto self = application_.desktop()->currentProcessIdentifier();
    std::vector<sim::BarItem> icons;
    for (const auto& item : application_.desktop()->itemsLeftToRight()) {
        if (item.creatorPid == self && !item.isLeftover &&
            item.name.starts_with("Corvel-Chrome-") && item.name != primaryIconName)
            icons.push_back(item);
    }
    return icons;
}

std::optional<sim::BarItem> Tour::applicationItem(const std::string& bundleIdentifier) const {
    const auto pid = application_.desktop()->pidOf(bundleIdentifier);
    return barItem([&](const sim::BarItem& item) { return pid && item.creatorPid == *pid; });
}

bool Tour::isItemInView(const std::string& bundleIdentifier) const {
    const auto item = applicationItem(bundleIdentifier);
    return item && item->frame.maxX() > 0;
}

bool Tour::isTileInLane(const std::string& bundleIdentifier, const std::string& groupName) const {
    const auto target = group(groupName);
    auto& layout = *application_.delegate()->settingsWindowController()->view().layoutView();
    const LayoutLane* lane = target ? layout.laneFor(target->id) : nullptr;
    return lane && std::any_of(lane->tiles().begin(), lane->tiles().end(), [&](const ItemTile* t) {
               return t->row().bundleID == bundleIdentifier;
           });
}

bool Tour::hasOwnMenuOpen() const {
    const auto self = application_.desktop()->currentProcessIdentifier();
    const auto menus = application_.desktop()->openMenus();
    return std::any_of(menus.begin(), menus.end(),
                       [&](const sim::OpenMenu& menu) { return menu.ownerPid == self; });
}

bool Tour::hasLeftover() const {
    return barItem([](const sim::BarItem& item) { return item.isLeftover; }).has_value();
}

int Tour::stripRowCount() const {
    const auto& panel = application_.delegate()->stripController()->panel();
    return panel.isVisible() ? static_cast<int>(panel.findChildren<StripRowButton*>().size()) : 0;
}

} // namespace corvel::app
