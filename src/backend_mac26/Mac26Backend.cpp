#include "backend_mac26/Mac26Backend.h"

#include "async/Hop.h"
#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26ItemObserver.h"
#include "backend_mac26/Mac26OwnNames.h"

#include <cmath>

namespace corvel {

Mac26Backend::Mac26Backend(std::string nameSpace, platform::PlatformServices services,
                           async::Executor& mainExecutor, async::Executor& backgroundExecutor)
    : nameSpace_(std::move(nameSpace)), services_(std::move(services)), main_(mainExecutor),
      background_(backgroundExecutor), windowList_(services_.windowList),
      ownWindows_(std::make_shared<Mac26OwnWindows>()),
      chromeClickForwarder_(std::make_shared<ChromeClickForwarder>()),
      extraResolver_(std::make_shared<Mac26MenuExtraResolver>(
          services_.accessibility, services_.workspace,
          services_.processes->currentProcessIdentifier(), &backgroundExecutor)),
      identityCache_(std::make_shared<Mac26IdentityCache>(
          [resolver = extraResolver_] { return resolver->currentExtras(); })),
      reader_(std::make_shared<Mac26MenuBarReader>(
          nameSpace_,
          Mac26MenuBarReader::Ports{windowList_, services_.accessibility, services_.workspace,
                                    services_.processes->currentProcessIdentifier()},
          identityCache_, ownWindows_)),
      changes_(std::make_shared<ChangeStream>()) {
    chromeClickForwarder_->onClick = [this](const Uuid& handle) { reportOwnChromeClick(handle); };
    // An application that does not answer holds a walk for half a second,
    // not the platform's six.
    services_.accessibility->setMessagingTimeout(services_.accessibility->createSystemWide(),
                                                 Mac26MenuExtraResolver::messagingTimeoutSeconds);
}

Mac26Backend::~Mac26Backend() {
    // A click the platform delivers late must not reach a backend that is gone.
    chromeClickForwarder_->onClick = nullptr;
    stopListening();
    pollTask_.cancel();
    changes_->close();
    for (const auto& [handle, item] : chromeItemsByHandle_)
        services_.statusBar->removeStatusItem(item);
    if (spacerItem_)
        services_.statusBar->removeStatusItem(spacerItem_);
}

async::Task<std::optional<std::uint32_t>>
Mac26Backend::awaitRegistration(MenuBarWindowList windowList, std::string name, int attempts,
                                async::Duration interval) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        for (const auto& window : windowList.layer25Windows())
            if (window.name == name)
                co_return window.windowID;
        co_await async::sleepFor(interval);
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            break;
    }
    co_return std::nullopt;
}

async::Task<void> Mac26Backend::prepare() {
    co_await enterMain();
    while (preparing_) {
        const bool resumed = co_await prepareWaiters_.wait();
        if (!resumed)
            co_return;
    }
    if (spacerItem_)
        co_return;

    preparing_ = true;
    const std::string name = Mac26OwnNames::spacerName(nameSpace_);
    for (int creation = 1; creation <= spacerCreationAttempts; ++creation) {
        auto item = Mac26Spacer::create(*services_.statusBar, nameSpace_, restingLength);
        auto number = co_await awaitRegistration(windowList_, name, registrationAttempts,
                                                 registrationInterval);
        if (number) {
            spacerItem_ = std::move(item);
            ownWindows_->replace({number, {}});
            startPolling();
            preparing_ = false;
            prepareWaiters_.resumeAll();
            co_return;
        }
        services_.statusBar->removeStatusItem(item);
    }
    preparing_ = false;
    prepareWaiters_.resumeAll();
    throw BackendError::underlying("hidden-region spacer '" + name +
                                   "' never registered in CGWindowList after " +
                                   std::to_string(spacerCreationAttempts) + " attempts");
}

void Mac26Backend::startPolling() {
    pollTask_.cancel();
    stopListening();
    // The handlers hold the wake, never the backend: the platform may call
    // one after the backend has gone.
    if (services_.globalEventMonitor)
        barMonitor_ = services_.globalEventMonitor->addGlobalMonitor(
            platform::GlobalEventMonitor::leftMouseDownMask |
                platform::GlobalEventMonitor::rightMouseDownMask,
            [wake = pollWake_](const platform::MonitoredEvent& event) { wake->mouseDown(event); });
    if (services_.workspace)
        applicationObserver_ = services_.workspace->addApplicationChangeObserver(
            [wake = pollWake_](platform::ApplicationChange, std::int32_t) { wake->ring(); });
    Mac26PollLoop::Inputs inputs{reader_, changes_, pollWake_};
    pollTask_ = async::spawn(background_, pollLoop(std::move(inputs)));
}

void Mac26Backend::stopListening() {
    if (barMonitor_)
        services_.globalEventMonitor->removeMonitor(*barMonitor_);
    barMonitor_.reset();
    if (applicationObserver_)
        services_.workspace->removeApplicationChangeObserver(*applicationObserver_);
    applicationObserver_.reset();
}

namespace {

async::Task<std::vector<ObservedItem>> itemsOf(std::shared_ptr<const Mac26MenuBarReader> reader,
                                               bool scanned) {
    co_return scanned ? reader->currentItems() : reader->knownItems();
}

} // namespace

async::Task<std::vector<ObservedItem>> Mac26Backend::readItems(Identities identities) {
    // A reading that needs no walk asks no other application: it costs no
    // trip to the background thread and back.
    if (identities == Identities::asKnown)
        if (auto items = reader_->knownItemsWithoutWalking())
            co_return std::move(*items);
    auto reading = async::runOn(background_, itemsOf(reader_, identities == Identities::scanned));
    co_return co_await std::move(reading);
}

async::Task<std::vector<ObservedItem>> Mac26Backend::currentItems() {
    co_await enterMain();
    auto reading = readItems(Identities::scanned);
    co_return co_await std::move(reading);
}

async::Task<std::vector<ObservedItem>> Mac26Backend::knownItems() {
    co_await enterMain();
    auto reading = readItems(Identities::asKnown);
    co_return co_await std::move(reading);
}

std::optional<std::uint32_t> Mac26Backend::liveSpacerWindowID() const {
    return liveSpacerWindowID(windowList_.layer25Windows());
}

std::optional<std::uint32_t>
Mac26Backend::liveSpacerWindowID(const std::vector<MenuBarWindowInfo>& bar) const {
    if (!spacerItem_)
        return std::nullopt;
    const std::string name = Mac26OwnNames::spacerName(nameSpace_);
    for (const auto& window : bar)
        if (window.name == name)
            return window.windowID;
    return ownWindows_->numbers().spacer;
}

// A restarted host lists its windows again only after a moment, each under a
// new number and, without Screen Recording, without a name: the spacer is
// looked for until it is listed, and a walk finds it wherever it now stands.
async::Task<std::optional<Mac26Backend::SpacerReading>>
Mac26Backend::awaitSpacerWindow(std::vector<MenuBarWindowInfo> bar) {
    for (int attempt = 1;; ++attempt) {
        if (auto spacer = listedSpacerWindow(bar))
            co_return SpacerReading{*spacer, std::move(bar)};
        if (!bar.empty()) {
            auto recognising = recogniseOwnWindows();
            co_await std::move(recognising);
            bar = windowList_.layer25Windows();
            if (auto spacer = listedSpacerWindow(bar))
                co_return SpacerReading{*spacer, std::move(bar)};
        }
        if (attempt == registrationAttempts)
            co_return std::nullopt;
        co_await async::sleepFor(registrationInterval);
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return std::nullopt;
        bar = windowList_.layer25Windows();
    }
}

std::optional<MenuBarWindowInfo>
Mac26Backend::listedSpacerWindow(const std::vector<MenuBarWindowInfo>& bar) const {
    const auto number = liveSpacerWindowID(bar);
    if (!number)
        return std::nullopt;
    for (const auto& window : bar)
        if (window.windowID == *number && window.bounds)
            return window;
    return std::nullopt;
}

async::Task<void> Mac26Backend::hideRegion() {
    const auto watched = changing();
    co_await enterMain();
    co_await placementGate_.waitUntilIdle();
    regionHeldOpen_ = false;
    // One reading finds the spacer and the items right of it: each read is
    // a round trip to the window server, and nothing moves in between.
    if (!spacerItem_)
        throw BackendError::underlying("prepare() must be called before hideRegion()");
    auto bar = windowList_.layer25Windows();
    if (!liveSpacerWindowID(bar))
        throw BackendError::underlying("prepare() must be called before hideRegion()");
    auto finding = awaitSpacerWindow(std::move(bar));
    const auto found = co_await std::move(finding);
    // A reveal while the spacer was looked for opened the region on purpose.
    if (regionHeldOpen_)
        co_return;
    if (!found || !spacerItem_)
        throw BackendError::underlying("hideRegion: spacer window not found; refusing to hide");
    co_await widenCheckingForeignItems(*found);
}

async::Task<void> Mac26Backend::widenCheckingForeignItems(SpacerReading found) {
    const MenuBarWindowInfo& spacer = found.spacer;
    const auto& before = found.bar;

    // Foreign items right of the spacer must stay visible once it widens.
    const double spacerRight = spacer.bounds->maxX();
    const std::string ownPrefix = Mac26OwnNames::ownPrefix(nameSpace_);
    const auto own = ownWindows_->numbers();
    std::vector<std::uint32_t> mustStayVisible;
    for (const auto& window : before)
        if (!Mac26OwnNames::hasOwnPrefix(window.name, ownPrefix) &&
            !own.contains(window.windowID) && window.bounds &&
            window.bounds->origin.x >= spacerRight)
            mustStayVisible.push_back(window.windowID);

    // The spacer may have been removed while we waited (teardown cannot run
    // meanwhile, but a placement can replace it); keep our own reference.
    const auto spacerItem = spacerItem_;
    spacerItem->setLength(hiddenLength);
    co_await async::sleepFor(hideSettleDelay);

    const auto after = windowList_.layer25Windows();
    int wronglyHidden = 0;
    for (const auto number : mustStayVisible) {
        const MenuBarWindowInfo* now = nullptr;
        for (const auto& window : after)
            if (window.windowID == number) {
                now = &window;
                break;
            }
        if (!now || !now->bounds || now->bounds->origin.x < 0)
            ++wronglyHidden;
    }
    if (wronglyHidden > 0) {
        spacerItem->setLength(restingLength);
        throw BackendError::underlying("hideRegion reverted: widening would have hidden " +
                                       std::to_string(wronglyHidden) +
                                       " item(s) not moved into the region");
    }
}

async::Task<void> Mac26Backend::revealRegion() {
    const auto watched = changing();
    co_await enterMain();
    co_await placementGate_.waitUntilIdle();
    if (!spacerItem_)
        throw BackendError::underlying("prepare() must be called before revealRegion()");
    regionHeldOpen_ = true;
    spacerItem_->setLength(restingLength);
}

std::optional<ItemFrame> Mac26Backend::ownChromeFrame(const Uuid& handle) const {
    const std::string name = Mac26OwnNames::iconName(nameSpace_, handle);
    for (const auto& window : windowList_.layer25Windows()) {
        if (window.name != name)
            continue;
        if (!window.bounds)
            return std::nullopt;
        const auto& bounds = *window.bounds;
        return ItemFrame{bounds.origin.x, bounds.origin.y, std::abs(bounds.size.width),
                         std::abs(bounds.size.height)};
    }
    return std::nullopt;
}

std::optional<ItemFrame> Mac26Backend::primaryIconFrame() const {
    if (!primaryHandle_)
        return std::nullopt;
    return ownChromeFrame(*primaryHandle_);
}

void Mac26Backend::attachPrimaryIconMenu(std::shared_ptr<platform::Menu> menu) {
    primaryIconMenu_ = std::move(menu);
    applyPrimaryIconMenu();
}

void Mac26Backend::applyPrimaryIconMenu() {
    if (!primaryHandle_)
        return;
    if (auto icon = chromeItemsByHandle_.find(*primaryHandle_); icon != chromeItemsByHandle_.end())
        icon->second->setMenu(primaryIconMenu_);
}

void Mac26Backend::reportOwnChromeClick(const Uuid& handle) {
    changes_->send(
        MenuBarChangeEvent::ownChromeClicked(handle, ownChromeFrame(handle).value_or(ItemFrame{})));
}

} // namespace corvel
