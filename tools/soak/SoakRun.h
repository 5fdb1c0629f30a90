#pragma once

#include "app/WholeRun.h"
#include "soak/SoakModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace corvel::app {
class TerminationSignals;
}

namespace corvel::soak {

/// A long, random but reproducible life of Corvel on the simulated desktop,
/// in virtual time: each step is something a person or the Mac does, chosen
/// by a generator seeded once, and after each step the run is checked
/// against what the person asked for. The same seed and scenario give the
/// same run, step for step, on every standard library: numbers are drawn
/// from the generator's raw output only. Main thread only; needs a
/// QApplication.
class SoakRun {
  public:
    struct Failure {
        int step = 0;
        std::string what;
    };
    /// Called after each step's action, before the checks, with what the
    /// step did: where a test plants a fault.
    using AfterAction = std::function<void(SoakRun&, const std::string& action)>;

    /// `steps`, when given, hears one line per step.
    SoakRun(sim::Scenario scenario, std::uint64_t seed, std::ostream* steps);
    ~SoakRun();
    SoakRun(const SoakRun&) = delete;
    SoakRun& operator=(const SoakRun&) = delete;

    /// Launches Corvel on a fresh store, then plays `count` steps; answers
    /// the first failure, after which the run stops.
    std::optional<Failure> play(int count);

    void afterAction(AfterAction hook) { afterAction_ = std::move(hook); }
    test::WholeRun& corvel() { return run_; }
    const SoakModel& model() const { return model_; }
    /// Virtual time since the run began.
    async::Duration elapsed() const { return run_.loop.now() - start_; }
    int stepsPlayed() const { return stepsPlayed_; }
    /// The menu bar as it stands, left to right: name, x and width of each
    /// item, to tell what a failure saw.
    std::string menuBar() const;

  private:
    using Action = std::string (SoakRun::*)();
    struct Weighted {
        int weight;
        Action action;
    };

    std::uint64_t below(std::uint64_t bound) { return rng_() % bound; }
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
    template <typename T> const T& oneOf(const std::vector<T>& choices) {
        return choices[below(choices.size())];
    }
    async::Duration someTime(async::Duration most);

    // The repertoire (SoakActions.cpp). Each answers what it did, in a few
    // words.
    std::string createGroup();
    std::string renameGroup();
    std::string deleteGroup();
    std::string fileByDrag();
    std::string fileFromList();
    std::string unfileFromList();
    std::string pressFromStrip();
    std::string showAll();
    std::string hideAll();
    std::string repairMenuBar();
    std::string commandDragByHand();
    std::string quitApplication();
    std::string launchApplication();
    std::string startOrQuitApplication(bool quit);
    std::string hangApplication();
    std::string restartControlCenter();
    std::string withdrawAccessibility();
    std::string withdrawScreenRecording();
    std::string quitCorvel();
    std::string terminateCorvel();
    std::string killCorvel();
    std::string idle();
    /// One of the person's changes to the Groups and filings.
    std::string personsChange();
    std::optional<std::string> someGroup();
    /// Picks `choice` in the application's row of the settings' list.
    std::string chooseInList(const std::string& bundle, const std::string& choice);
    std::string chooseFromCorvelsMenu(const std::string& title);
    void lookAtPane();
    /// The model follows a filing once Corvel holds it; answers how it
    /// ended when it was refused.
    std::string followFiling(const std::string& bundle, const std::string& group);
    /// After Quit Corvel or SIGTERM: the store must hold everything.
    std::string relaunchAfterQuit(const std::string& how);

    // Corvel's life (SoakLife.cpp).
    void launchCorvel();
    /// The quit path after Quit Corvel or SIGTERM; false when it never came.
    bool awaitQuit();
    /// Drops Corvel without its quit path, maybe leaving a write cut short.
    void kill();
    /// Corvel's objects dropped and its tasks ended.
    void windDown();
    void settingsShown();
    /// Runs the loop and Qt's events in short ticks until `condition`
    /// holds; false when `limit` passed first.
    bool waitUntil(const std::function<bool()>& condition, async::Duration limit);
    bool showAllActive() const;
    std::vector<std::string> runningCandidates(bool running) const;

    // The checks (SoakChecks.cpp).
    std::optional<std::string> settleAndCheck();
    /// Why the desktop does not (yet) show what the person asked for.
    std::optional<std::string> unsettled() const;
    std::string spacerText() const;
    std::optional<std::string> checkStoreOnDisk();
    std::optional<std::string> checkAfterKill();
    std::optional<std::string> checkBounds();
    std::optional<std::string> checkLog();
    /// What the store on disk holds; none, and why, when it cannot be read.
    std::optional<SoakModel> modelOnDisk(std::string* failure) const;
    std::string storePath() const;

    test::WholeRun run_;
    std::mt19937_64 rng_;
    std::ostream* steps_;
    AfterAction afterAction_;
    async::TimePoint start_;
    std::vector<std::string> candidates_;
    std::vector<Weighted> repertoire_;
    int stepsPlayed_ = 0;
    int groupsMade_ = 0;

    SoakModel model_;
    /// The model before this step, and what a kill may leave on disk.
    SoakModel before_;
    std::vector<SoakModel> acceptableAfterKill_;
    bool killed_ = false;
    /// The Group this step deletes: a kill may leave some of its members
    /// taken out and the Group still there.
    std::string deleting_;
    /// What an action found wrong on its way, reported with the step.
    std::optional<std::string> pendingFailure_;
    bool quitRequested_ = false;
    std::unique_ptr<app::TerminationSignals> signals_;
    async::TimePoint showAllUntil_{};
    /// Filed items the last move of which met a withdrawn permission or a
    /// hung application: documented to need a hand until filed again or
    /// Corvel launches again.
    std::set<std::string> needAHand_;
    bool faultThisStep_ = false;
    std::size_t windowsBound_ = 0;
};

} // namespace corvel::soak
