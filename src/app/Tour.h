#pragma once

#include "app/CorvelApplication.h"
#include "app/SimulatedPerson.h"
#include "async/Task.h"
#include "domain/Group.h"
#include "sim/BarItem.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvel::app {

/// A scripted run of Corvel through the same paths a person's hand takes:
/// clicks on the simulated menu bar and in its menus, typing and drops in
/// the settings window, clicks on Strip rows and answers to alerts. Each step
/// waits (in real time, with a generous limit) until the desktop shows what
/// the step expects, then writes a picture of the whole scene into the tour's
/// folder and a line to the log. Main thread only.
class Tour {
  public:
    /// The tour's desktop: the given one, with a leftover of a crashed run
    /// that a restart of Control Center at launch fails to clear, so there
    /// is something for Repair Menu Bar to repair.
    static sim::Scenario prepared(sim::Scenario scenario);

    Tour(CorvelApplication& application, std::filesystem::path folder, platform::SystemLog& log);

    /// Plays the tour on the main loop; `finished` runs once it has ended.
    void start(std::function<void()> finished);
    bool succeeded() const { return failure_.empty() && done_; }
    const std::string& failure() const { return failure_; }
    /// The pictures written, in order.
    const std::vector<std::filesystem::path>& pictures() const { return pictures_; }

  private:
    static async::Task<void> play(Tour* tour, std::function<void()> finished);
    async::Task<void> steps();

    /// Waits until `condition` holds, then photographs the scene as
    /// `picture`. Throws when it does not hold within `limit`.
    async::Task<void> expect(std::string step, std::function<bool()> condition,
                             std::chrono::milliseconds limit = std::chrono::seconds(15));
    /// An alert the step does not expect fails it.
    async::Task<void> waitUntil(const std::string& step, std::function<bool()> condition,
                                std::chrono::milliseconds limit, bool alertsExpected = false);
    void photograph(const std::string& step);
    /// A click on Corvel's icon, then the entry with this title.
    async::Task<void> chooseFromCorvelsMenu(std::string title);
    /// How many of the items the tour files are in view.
    std::size_t filedItemsInView() const;
    void logMenuBar();

    CorvelApplication& application_;
    SimulatedPerson person_;
    std::filesystem::path folder_;
    platform::SystemLog& log_;
    std::vector<std::filesystem::path> pictures_;
    std::string failure_;
    bool done_ = false;
    int step_ = 0;
};

} // namespace corvel::app
