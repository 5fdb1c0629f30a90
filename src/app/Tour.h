#pragma once

#include "app/CorvelApplication.h"
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
    void logMenuBar();

    // A person's hand.
    void clickBarItem(const sim::BarItem& item);
    void chooseFromOwnMenu(const std::string& title);
    void createGroup(const std::string& name);
    void dropIntoGroup(const std::string& itemName, const std::string& groupName);
    bool answerAlert(const std::string& button);

    // What the person sees.
    std::optional<sim::BarItem>
    barItem(const std::function<bool(const sim::BarItem&)>& which) const;
    std::optional<sim::BarItem> primaryIcon() const;
    std::optional<sim::BarItem> groupIcon(const std::string& groupName) const;
    std::optional<Group> group(const std::string& name) const;
    std::vector<sim::BarItem> groupIconsLeftToRight() const;
    bool isItemInView(const std::string& applicationName) const;
    std::optional<sim::BarItem> applicationItem(const std::string& applicationName) const;
    bool isTileInLane(const std::string& bundleIdentifier, const std::string& groupName) const;
    bool hasOwnMenuOpen() const;
    bool hasLeftover() const;
    int stripRowCount() const;

    CorvelApplication& application_;
    std::filesystem::path folder_;
    platform::SystemLog& log_;
    std::vector<std::filesystem::path> pictures_;
    std::string failure_;
    bool done_ = false;
    int step_ = 0;
};

} // namespace corvel::app
