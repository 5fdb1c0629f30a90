#include "app/Tour.h"

#include "app/ScenePhotographer.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "settings_ui/SettingsView.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/SimulatedDesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace corvel::app {

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds pollInterval(20);
constexpr std::uint16_t escapeKeyCode = 53;

const std::string leftoverName = "Corvel-Chrome-5B2E9C41-7D3A-4F60-9E8B-1C2D3E4F5A6B";

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

} // namespace

sim::Scenario Tour::prepared(sim::Scenario scenario) {
    scenario.leftovers.push_back({leftoverName, 24, 4242});
    scenario.restartKeepsLeftovers = true;
    return scenario;
}

Tour::Tour(CorvelApplication& application, std::filesystem::path folder, platform::SystemLog& log)
    : application_(application), person_(application.desktop(), application.delegate()),
      folder_(std::move(folder)), log_(log) {}

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
                        return application_.delegate()->launchTask().isDone() &&
                               person_.primaryIcon() && person_.hasLeftover();
                    });

    person_.clickBarItem(*person_.primaryIcon());
    co_await expect("A click on Corvel's icon opens its menu",
                    [&] { return person_.hasOwnMenuOpen(); });

    person_.chooseFromOwnMenu("Settings\u2026");
    auto& settings = *application_.delegate()->settingsWindowController();
    co_await expect("Settings\u2026 opens the settings window",
                    [&] { return settings.window().isVisible(); });

    person_.createGroup("Work");
    person_.createGroup("Media");
    co_await expect("Two Groups made in the settings show their icons in the menu bar, in order",
                    [&] {
                        const auto icons = person_.groupIconsLeftToRight();
                        const auto work = person_.groupIcon("Work");
                        const auto media = person_.groupIcon("Media");
                        return icons.size() == 2 && work && media &&
                               icons[0].windowNumber == work->windowNumber &&
                               icons[1].windowNumber == media->windowNumber;
                    });

    person_.showLayoutPane();
    co_await waitUntil(
        "the Layout pane lists the menu bar's items",
        [&] { return settings.view().layoutView()->visibleLane()->tiles().size() >= 3; }, 10s);
    // One at a time, as a hand does: the next drop once the settings show
    // the last one filed and its item has left the menu bar.
    for (const auto& filing : filings) {
        person_.dropIntoGroup(filing.bundleIdentifier, filing.group);
        co_await waitUntil(
            std::string("the item of ") + filing.bundleIdentifier + " is filed and hidden",
            [&] {
                return person_.isTileInLane(filing.bundleIdentifier, filing.group) &&
                       !person_.isItemInView(filing.bundleIdentifier);
            },
            10s);
    }
    co_await expect("Three items dropped on the Groups' lanes leave the visible menu bar",
                    [&] { return filedItemsInView() == 0; });

    settings.window().close();
    person_.clickBarItem(*person_.groupIcon("Work"));
    co_await expect("A click on the Work icon opens its Strip under the icon, with its two items",
                    [&] { return person_.stripRowCount() == 2; });

    const auto driftwoodPid = desktop.pidOf("com.example.driftwood");
    person_.pressStripRow("com.example.driftwood");
    co_await expect("A click on a row brings the real item out and opens its own menu", [&] {
        const auto menus = desktop.openMenus();
        return menus.size() == 1 && menus[0].ownerPid == driftwoodPid &&
               person_.isItemInView("com.example.driftwood");
    });

    desktop.pressKey(escapeKeyCode);
    co_await expect("Escape closes the menu and the item goes back into the hidden region", [&] {
        return desktop.openMenus().empty() && !person_.isItemInView("com.example.driftwood");
    });

    auto showingAll = chooseFromCorvelsMenu("Show All Items for 30 Seconds");
    co_await std::move(showingAll);
    co_await expect("Show All brings every filed item into view",
                    [&] { return filedItemsInView() == std::size(filings); });

    auto hidingAll = chooseFromCorvelsMenu("Hide All Items Now");
    co_await std::move(hidingAll);
    co_await expect("Hide All puts them away again at once",
                    [&] { return filedItemsInView() == 0; });

    // Control Center clears leftovers when it restarts, as it normally does.
    desktop.setRestartKeepsLeftovers(false);
    auto repairing = chooseFromCorvelsMenu("Repair Menu Bar");
    co_await std::move(repairing);
    bool confirmed = false;
    co_await waitUntil(
        "Repair Menu Bar clears the leftover and says so",
        [&] {
            if (!confirmed && person_.answerAlert("Repair")) {
                confirmed = true;
                photograph("Corvel asks before it restarts Control Center");
            }
            const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box && box->text() == "Menu Bar Repaired" && !person_.hasLeftover();
        },
        20s, true);
    photograph("Repair Menu Bar cleared the leftover of the crashed run");
    person_.answerAlert("OK");
    co_await expect("The menu bar is tidy: the Group icons and Corvel's icon, the filed items "
                    "hidden",
                    [&] { return !QApplication::activeModalWidget() && !person_.hasLeftover(); });
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
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            throw StepFailed("step " + std::to_string(step_ + 1) + " was cut short: " + step);
    }
}

std::size_t Tour::filedItemsInView() const {
    return static_cast<std::size_t>(
        std::count_if(std::begin(filings), std::end(filings),
                      [&](const Filing& f) { return person_.isItemInView(f.bundleIdentifier); }));
}

async::Task<void> Tour::chooseFromCorvelsMenu(std::string title) {
    person_.clickBarItem(*person_.primaryIcon());
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
    if (!ScenePhotographer(application_.view()).save(QString::fromStdString(path.string())))
        throw StepFailed("cannot write " + path.string());
    pictures_.push_back(path);
    log_.write("Corvel: tour step " + std::to_string(step_) + " — " + step + " (" + name.str() +
               ")");
}

} // namespace corvel::app
