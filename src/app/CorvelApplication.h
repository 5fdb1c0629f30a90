#pragma once

#include "app/CorvelAppDelegate.h"
#include "app/DesktopView.h"
#include "app/PersonKeyboard.h"
#include "app/QtLoop.h"
#include "app/TerminationSignals.h"
#include "async/ThreadLoop.h"
#include "sim/Scenario.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace corvel::sim {
class SimulatedDesktop;
}

namespace corvel::app {

/// One run of Corvel on the simulated desktop: the loops, the desktop and its
/// window, the application delegate, and the one way out. Quitting (the
/// primary menu's Quit, the launch alert's Quit Corvel, SIGINT, SIGTERM)
/// writes the store and waits for the write before the loops stop, so a
/// change made a moment before quitting is kept.
///
/// Main thread only. Build it after the QApplication; destroying it shuts the
/// runtime down in the order the async runtime documents.
class CorvelApplication {
  public:
    struct Configuration {
        sim::Scenario scenario;
        std::filesystem::path storeURL;
        /// Stands in for the platform's user defaults (window frames).
        std::filesystem::path defaultsFile;
        std::shared_ptr<platform::SystemLog> log;
        /// The launch alert and the interface's alerts; Qt message boxes by
        /// default.
        std::shared_ptr<platform::ModalAlerts> alerts;
        /// Ends Qt's loop once the store is written; QCoreApplication::exit(0)
        /// by default.
        std::function<void()> endLoop;
        /// Where the simulated display sits on the real screen; by default
        /// at the primary screen's top left, shrunk to fit.
        std::optional<ScreenMapping> mapping;
    };

    explicit CorvelApplication(Configuration configuration);
    ~CorvelApplication();
    CorvelApplication(const CorvelApplication&) = delete;
    CorvelApplication& operator=(const CorvelApplication&) = delete;

    /// Shows the desktop window, makes Corvel a background application and
    /// starts the launch; returns at once.
    void start();
    /// start(), then Qt's loop until Corvel quits. Answers the exit status.
    int run();
    /// The one quit path; later calls do nothing. Writes the store, then ends
    /// the loop.
    void terminate();
    bool hasEnded() const { return ended_; }

    QtLoop& mainLoop() { return main_; }
    async::ThreadLoop& backgroundLoop() { return *background_; }
    const std::shared_ptr<sim::SimulatedDesktop>& desktop() const { return desktop_; }
    DesktopView& view() { return *view_; }
    const std::shared_ptr<CorvelAppDelegate>& delegate() const { return delegate_; }

  private:
    static async::Task<void> quit(std::shared_ptr<CorvelAppDelegate> delegate,
                                  std::function<void()> finished);
    std::shared_ptr<MenuBarBackend> makeBackend();

    Configuration configuration_;
    QtLoop main_;
    std::shared_ptr<sim::SimulatedDesktop> desktop_;
    std::unique_ptr<async::ThreadLoop> background_;
    std::unique_ptr<DesktopView> view_;
    std::unique_ptr<PersonKeyboard> keyboard_;
    std::shared_ptr<CorvelAppDelegate> delegate_;
    std::unique_ptr<TerminationSignals> signals_;
    bool terminating_ = false;
    bool ended_ = false;
};

} // namespace corvel::app
