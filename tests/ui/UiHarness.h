#pragma once

#include "async/ManualLoop.h"
#include "engine/GhostRecoveryCoordinator.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "engine/StripEffectInterpreter.h"
#include "engine/SystemRevealAllClock.h"
#include "platform/GlobalEventMonitor.h"
#include "sim/Scenario.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"
#include "ui/CorvelMenuController.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/StatusItemController.h"
#include "ui/StripWindowController.h"

#include <QImage>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvel::test {

/// Passes monitors through to the simulated desktop and counts those that
/// are installed, which the desktop does not tell.
class CountingEventMonitor final : public platform::GlobalEventMonitor {
  public:
    explicit CountingEventMonitor(std::shared_ptr<platform::GlobalEventMonitor> inner);
    std::optional<Token> addGlobalMonitor(std::uint64_t mask, Handler handler) override;
    void removeMonitor(Token token) override;

    std::size_t installed() const { return masks_.size(); }
    std::size_t removeCalls() const { return removeCalls_; }
    /// The mask of the one installed monitor; 0 when there is none.
    std::uint64_t installedMask() const;

  private:
    std::shared_ptr<platform::GlobalEventMonitor> inner_;
    std::map<Token, std::uint64_t> masks_;
    std::size_t removeCalls_ = 0;
};

/// Which live items are filed into which Group, as the assignment
/// coordinator would answer.
struct Membership {
    std::unordered_map<GroupID, std::unordered_set<BackendItemToken>> tokensByGroup;
};

/// The whole menu bar interface over the scripted backend, on a manual loop,
/// with the simulated desktop for the screen, the workspace and the global
/// click monitors. The item search reads a real store and assignment
/// coordinator over the same backend; the Strips read `membership`.
class UiHarness {
  public:
    explicit UiHarness(sim::Scenario scenario = defaultScenario());
    ~UiHarness();

    static sim::Scenario defaultScenario();

    /// A live item of `bundleID`, filed into `group`, shown by the backend.
    ObservedItem addMember(const GroupID& group, const std::string& title,
                           const std::string& bundleID = "com.example.driftwood",
                           bool isInHiddenRegion = true);
    /// Rows of the open Strip, by their shown titles, in order.
    std::vector<std::string> rowTitles() const;
    /// Whether the Strip panel is on screen.
    bool stripShown() const;
    /// Files the live item into `group` in the store, as the settings would.
    void file(const ObservedItem& item, const GroupID& group);
    /// Sends an event as a gesture would and lets everything settle.
    void handle(SessionState::Event event);

    async::ManualLoop loop;
    MemoryLog log;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<CountingEventMonitor> monitor;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<Membership> membership = std::make_shared<Membership>();
    std::shared_ptr<ScriptedModalAlerts> alerts = std::make_shared<ScriptedModalAlerts>();
    std::shared_ptr<StripWindowController> strip;
    std::shared_ptr<StripEffectInterpreter> interpreter;
    std::shared_ptr<GhostRecoveryCoordinator> ghostRecovery;
    int confirmedRestarts = 0;
    int settingsShown = 0;
    int terminations = 0;
    std::shared_ptr<CorvelMenuController> menu;
    TemporaryFolder folder;
    std::shared_ptr<GroupStore> store;
    std::shared_ptr<ItemSearchWindowController> search;
};

/// The image encoded as PNG.
std::vector<std::uint8_t> pngOf(const QImage& image);
/// A PNG of `width` × `height` pixels, opaque black.
std::vector<std::uint8_t> pngOfSize(int width, int height);

} // namespace corvel::test
