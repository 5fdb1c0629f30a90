#include "app/Tour.h"

#include "app/ScenePhotographer.h"
#include "async/Sleep.h"
#include "settings_ui/SettingsView.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/SimulatedDesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace corvel::app {

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds pollInterval(20);
constexpr std::uint16_t escapeKeyCode = 53;
// How far from the display's middle a centred window may stand, in points:
// the window system rounds its frame to whole pixels.
constexpr double centringSlack = 2;

const std::string leftoverName = "Corvel-Chrome-5B2E9C41-7D3A-4F60-9E8B-1C2D3E4F5A6B";

class StepFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::string countedItems(std::size_t count) {
    static const char* const counted[] = {"no items", "one item", "two items", "three items"};
    return count < std::size(counted) ? counted[count] : std::to_string(count) + " items";
}

// What a hand is about to click, which may have left the menu bar since the
// step before looked.
const sim::BarItem& inMenuBar(const std::optional<sim::BarItem>& item, const std::string& what) {
    if (!item)
        throw StepFailed(what + " is not in the menu bar");
    return *item;
}

std::string capitalised(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

} // namespace

sim::Scenario Tour::prepared(sim::Scenario scenario) {
    scenario.leftovers.push_back({leftoverName, 24, 4242});
    scenario.restartKeepsLeftovers = true;
    return scenario;
}

Tour::Tour(CorvelApplication& application, TourPlan plan, std::filesystem::path folder,
           platform::SystemLog& log)
    : application_(application), person_(application.desktop(), application.delegate()),
      plan_(std::move(plan)), folder_(std::move(folder)), log_(log) {}

Tour::~Tour() {
    stop("the tour was ended early");
}

void Tour::start(std::function<void()> finished) {
    playing_ = async::spawn(application_.mainLoop(), play(this, std::move(finished)));
}

void Tour::stop(const std::string& reason) {
    if (ended_ || !playing_.valid())
        return;
    stopReason_ = reason;
    playing_.cancel();
    // Every wait of the tour ends early on cancellation, so this ends.
    while (!playing_.isDone())
        application_.mainLoop().runUntilIdle();
}

async::Task<void> Tour::play(Tour* tour, std::function<void()> finished) {
    try {
        auto playing = tour->steps();
        co_await std::move(playing);
    } catch (const std::exception& error) {
        tour->failure_ = error.what();
        tour->log_.write("Corvel: tour stopped — " + tour->failure_);
        tour->logMenuBar();
        tour->photographFailure();
    }
    tour->ended_ = true;
    finished();
}

async::Task<void> Tour::steps() {
    auto launching = launchAndOpenSettings();
    co_await std::move(launching);
    auto filing = makeGroupsAndFileItems();
    co_await std::move(filing);
    auto pressing = pressAnItemFromItsStrip();
    co_await std::move(pressing);
    auto showing = showAndHideEverything();
    co_await std::move(showing);
    // Before the repair: after Control Center's restart the hidden items
    // are not told apart again, and their Strip would be empty.
    auto typing = openAStripFromTheKeyboard();
    co_await std::move(typing);
    auto repairing = repairTheMenuBar();
    co_await std::move(repairing);
}

async::Task<void> Tour::launchAndOpenSettings() {
    co_await expect("Corvel has launched: its icon stands in the menu bar, beside a leftover of "
                    "a crashed run",
                    [&] {
                        return application_.delegate()->launchTask().isDone() &&
                               person_.primaryIcon() && person_.hasLeftover();
                    });

    person_.clickBarItem(inMenuBar(person_.primaryIcon(), "Corvel's icon"));
    co_await expect("A click on Corvel's icon opens its menu",
                    [&] { return person_.hasOwnMenuOpen(); });

    person_.chooseFromOwnMenu("Settings\u2026");
    auto& settings = *application_.delegate()->settingsWindowController();
    auto opening = waitUntil(
        "Settings\u2026 opens the settings window",
        [&] { return settings.window().isVisible() && !person_.hasOwnMenuOpen(); }, 15s);
    co_await std::move(opening);
    expectCentred(settings.window(), "the settings window");
    photograph("Settings\u2026 opens the settings window");
}

async::Task<void> Tour::makeGroupsAndFileItems() {
    const std::string first = TourPlan::firstGroup;
    const std::string second = TourPlan::secondGroup;
    person_.createGroup(first);
    person_.createGroup(second);
    co_await expect(
        "Two Groups made in the settings show their icons in the menu bar, in order", [&] {
            const auto icons = person_.groupIconsLeftToRight();
            const auto one = person_.groupIcon(first);
            const auto two = person_.groupIcon(second);
            return icons.size() == 2 && one && two && icons[0].windowNumber == one->windowNumber &&
                   icons[1].windowNumber == two->windowNumber;
        });

    person_.showLayoutPane();
    auto listing = waitUntil(
        "the Layout pane lists the items the tour files",
        [&] {
            return std::all_of(plan_.filings.begin(), plan_.filings.end(), [&](const auto& f) {
                return person_.isTileListed(f.bundleIdentifier);
            });
        },
        10s);
    co_await std::move(listing);
    // One at a time, as a hand does: the next drop once the settings show
    // the last one filed and its item has left the menu bar.
    for (const auto& filing : plan_.filings) {
        person_.dropIntoGroup(filing.bundleIdentifier, filing.group);
        auto filed = waitUntil(
            "the item of " + filing.bundleIdentifier + " is filed and hidden",
            [&] {
                return person_.isTileInLane(filing.bundleIdentifier, filing.group) &&
                       !person_.isItemInView(filing.bundleIdentifier);
            },
            10s);
        co_await std::move(filed);
    }
    co_await expect(capitalised(countedItems(plan_.filings.size())) +
                        " dropped on the Groups' lanes leave the visible menu bar",
                    [&] { return filedItemsInView() == 0; });
}

async::Task<void> Tour::pressAnItemFromItsStrip() {
    auto& desktop = *application_.desktop();
    const std::string group = TourPlan::firstGroup;
    const auto members = plan_.filedInto(group);
    application_.delegate()->settingsWindowController()->window().close();
    person_.clickBarItem(inMenuBar(person_.groupIcon(group), "the icon of " + group));
    co_await expect("A click on the " + group + " icon opens its Strip under the icon, with its " +
                        countedItems(members.size()),
                    [&] { return person_.stripRowCount() == static_cast<int>(members.size()); });

    const std::string pressed = members.front();
    const auto pid = desktop.pidOf(pressed);
    person_.pressStripRow(pressed);
    co_await expect("A click on a row brings the real item out and opens its own menu", [&] {
        const auto menus = desktop.openMenus();
        return menus.size() == 1 && menus[0].ownerPid == pid && person_.isItemInView(pressed);
    });

    desktop.pressKey(escapeKeyCode);
    co_await expect("Escape closes the menu and the item goes back into the hidden region",
                    [&] { return desktop.openMenus().empty() && !person_.isItemInView(pressed); });
}

async::Task<void> Tour::showAndHideEverything() {
    auto showingAll = chooseFromCorvelsMenu("Show All Items for 30 Seconds");
    co_await std::move(showingAll);
    co_await expect("Show All brings every filed item into view",
                    [&] { return filedItemsInView() == plan_.filings.size(); });

    auto hidingAll = chooseFromCorvelsMenu("Hide All Items Now");
    co_await std::move(hidingAll);
    co_await expect("Hide All puts them away again at once",
                    [&] { return filedItemsInView() == 0; });
}

async::Task<void> Tour::repairTheMenuBar() {
    // Control Center clears leftovers when it restarts, as it normally does.
    application_.desktop()->setRestartKeepsLeftovers(false);
    auto repairing = chooseFromCorvelsMenu("Repair Menu Bar");
    co_await std::move(repairing);
    bool confirmed = false;
    QMessageBox* repaired = nullptr;
    auto answering = waitUntil(
        "Repair Menu Bar clears the leftover and says so",
        [&] {
            if (!confirmed && person_.answerAlert("Repair")) {
                confirmed = true;
                photograph("Corvel asks before it restarts Control Center");
            }
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            repaired = box && box->text() == "Menu Bar Repaired" ? box : nullptr;
            return repaired && !person_.hasLeftover();
        },
        20s, true);
    co_await std::move(answering);
    expectCentred(*repaired, "the alert \"Menu Bar Repaired\"");
    photograph("Repair Menu Bar cleared the leftover of the crashed run");
    person_.answerAlert("OK");
    co_await expect("The menu bar is tidy: the Group icons and Corvel's icon, the filed items "
                    "hidden",
                    [&] { return !QApplication::activeModalWidget() && !person_.hasLeftover(); });
}

async::Task<void> Tour::openAStripFromTheKeyboard() {
    const std::string group = TourPlan::firstGroup;
    const auto members = plan_.filedInto(group);
    const auto key = static_cast<Qt::Key>(Qt::Key_0 + (plan_.shortcutDigit - '0'));
    const std::string shortcut = std::string("\u2303\u2325") + plan_.shortcutDigit;
    auto opening = chooseFromCorvelsMenu("Settings\u2026");
    co_await std::move(opening);
    auto& settings = *application_.delegate()->settingsWindowController();
    auto shown = waitUntil(
        "the settings window comes back", [&] { return settings.window().isVisible(); }, 10s);
    co_await std::move(shown);
    person_.recordShortcut(group, key, Qt::ControlModifier | Qt::AltModifier);
    co_await expect(shortcut + " recorded for " + group + " in its pane is registered", [&] {
        const auto recorded = person_.group(group);
        return recorded && recorded->shortcut && !person_.shortcutRefusalShown();
    });

    settings.window().close();
    person_.pressKey(key, Qt::ControlModifier | Qt::AltModifier);
    co_await expect(shortcut + " opens the " + group +
                        " Strip under its icon, its first row "
                        "focused for the keyboard",
                    [&] {
                        const auto rows = person_.stripRows();
                        return rows.size() == members.size() &&
                               person_.focusedStripRow() == rows.front();
                    });

    person_.pressKey(Qt::Key_Escape);
    auto closing = waitUntil(
        "Escape closes the Strip", [&] { return person_.stripRowCount() == 0; }, 10s);
    co_await std::move(closing);
}

async::Task<void> Tour::expect(std::string step, std::function<bool()> condition,
                               std::chrono::milliseconds limit) {
    auto waiting = waitUntil(step, std::move(condition), limit);
    co_await std::move(waiting);
    photograph(step);
}

async::Task<void> Tour::waitUntil(std::string step, std::function<bool()> condition,
                                  std::chrono::milliseconds limit, bool alertsExpected) {
    const auto deadline = application_.mainLoop().now() + limit;
    const std::string which = "step " + std::to_string(step_ + 1) + " (" + step + ")";
    for (;;) {
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            throw StepFailed(which + " was cut short: " + stopReason_);
        if (condition())
            co_return;
        const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !alertsExpected)
            throw StepFailed(which + " met an alert: " + box->text().toStdString() + " — " +
                             box->informativeText().toStdString());
        if (application_.mainLoop().now() > deadline)
            throw StepFailed("step " + std::to_string(step_ + 1) + " did not happen: " + step);
        co_await async::sleepFor(pollInterval);
    }
}

void Tour::expectCentred(const QWidget& window, const std::string& what) const {
    const auto frame = application_.view().mapping().toSimulated(QRectF(window.frameGeometry()));
    const double width = application_.view().scene().screen.width;
    const double offset = frame.midX() - width / 2;
    if (std::abs(offset) <= centringSlack)
        return;
    std::ostringstream message;
    message << "step " << step_ + 1 << ": " << what << " stands off-centre, its middle at x "
            << std::lround(frame.midX()) << " on a display " << std::lround(width)
            << " points wide";
    throw StepFailed(message.str());
}

std::size_t Tour::filedItemsInView() const {
    return static_cast<std::size_t>(
        std::count_if(plan_.filings.begin(), plan_.filings.end(), [&](const auto& filing) {
            return person_.isItemInView(filing.bundleIdentifier);
        }));
}

async::Task<void> Tour::chooseFromCorvelsMenu(std::string title) {
    person_.clickBarItem(inMenuBar(person_.primaryIcon(), "Corvel's icon"));
    auto opening = waitUntil(
        "Corvel's menu opens", [this] { return person_.hasOwnMenuOpen(); }, 10s);
    co_await std::move(opening);
    person_.chooseFromOwnMenu(title);
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
    if (const auto problem =
            ScenePhotographer(application_.view()).save(QString::fromStdString(path.string())))
        throw StepFailed("step " + std::to_string(step_) + " (" + step + ") cannot write " +
                         path.string() + ": " + *problem);
    pictures_.push_back(path);
    log_.write("Corvel: tour step " + std::to_string(step_) + " — " + step + " (" + name.str() +
               ")");
}

void Tour::photographFailure() {
    try {
        photograph("failed");
    } catch (const std::exception& error) {
        log_.write(std::string("Corvel: tour took no picture of its failure — ") + error.what());
    }
}

} // namespace corvel::app
