#pragma once

#include "app/CorvelApplication.h"
#include "app/SimulatedPerson.h"
#include "app/TourPlan.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "sim/BarItem.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace corvel::app {

/// A scripted run of Corvel through the same paths a person's hand takes:
/// clicks on the simulated menu bar and in its menus, typing and drops in
/// the settings window, clicks on Strip rows and answers to alerts. Each step
/// waits (in real time, with a generous limit) until the desktop shows what
/// the step expects, then writes a picture of the whole scene into the tour's
/// folder and a line to the log. A step that fails, a picture that cannot be
/// written and a stop() all end the tour at once with the reason. Main
/// thread only.
class Tour {
  public:
    /// The tour's desktop: the given one, with a leftover of a crashed run
    /// that a restart of Control Center at launch fails to clear, so there
    /// is something for Repair Menu Bar to repair.
    static sim::Scenario prepared(sim::Scenario scenario);

    /// `plan` is TourPlan::of the application's scenario, without lacks.
    Tour(CorvelApplication& application, TourPlan plan, std::filesystem::path folder,
         platform::SystemLog& log);
    ~Tour();
    Tour(const Tour&) = delete;
    Tour& operator=(const Tour&) = delete;

    /// Plays the tour on the main loop; `finished` runs once it has ended.
    void start(std::function<void()> finished);
    /// Ends a tour that is still playing as failed for `reason`, running the
    /// main loop (which may have ended) until it has wound down; `finished`
    /// still runs. Does nothing once the tour has ended.
    void stop(const std::string& reason);
    bool succeeded() const { return ended_ && failure_.empty(); }
    /// Why the tour did not succeed; empty when it did or is still playing.
    const std::string& failure() const { return failure_; }
    /// The pictures written, in order.
    const std::vector<std::filesystem::path>& pictures() const { return pictures_; }

  private:
    static async::Task<void> play(Tour* tour, std::function<void()> finished);
    async::Task<void> steps();
    // The tour's parts, in order; a new part is one more coroutine here.
    async::Task<void> launchAndOpenSettings();
    async::Task<void> makeGroupsAndFileItems();
    async::Task<void> pressAnItemFromItsStrip();
    async::Task<void> showAndHideEverything();
    async::Task<void> openAStripFromTheKeyboard();
    async::Task<void> repairTheMenuBar();

    /// Waits until `condition` holds, then photographs the scene as
    /// `picture`. Throws when it does not hold within `limit`.
    async::Task<void> expect(std::string step, std::function<bool()> condition,
                             std::chrono::milliseconds limit = std::chrono::seconds(15));
    /// An alert the step does not expect fails it, and so does a stop().
    async::Task<void> waitUntil(std::string step, std::function<bool()> condition,
                                std::chrono::milliseconds limit, bool alertsExpected = false);
    /// Throws unless the window stands in the middle of the display, as
    /// the window system puts a new window or an alert on the Mac.
    void expectCentred(const QWidget& window, const std::string& what) const;
    void photograph(const std::string& step);
    /// A picture of where a failed tour stood; its own failure is only logged.
    void photographFailure();
    /// A click on Corvel's icon, then the entry with this title.
    async::Task<void> chooseFromCorvelsMenu(std::string title);
    /// How many of the items the tour files are in view.
    std::size_t filedItemsInView() const;
    void logMenuBar();

    CorvelApplication& application_;
    SimulatedPerson person_;
    TourPlan plan_;
    std::filesystem::path folder_;
    platform::SystemLog& log_;
    async::SpawnHandle playing_;
    std::vector<std::filesystem::path> pictures_;
    std::string stopReason_;
    std::string failure_;
    bool ended_ = false;
    int step_ = 0;
};

} // namespace corvel::app
