#include "UiHarness.h"

#include "async/Spawn.h"
#include "engine/ItemSearchViewModel.h"
#include "sim/ScenarioLoader.h"
#include "support/RunTask.h"
#include "ui/ItemSearchPanel.h"
#include "ui/StripPanel.h"
#include "ui/StripRowButton.h"

#include <QBuffer>

namespace corvel::test {

CountingEventMonitor::CountingEventMonitor(std::shared_ptr<platform::GlobalEventMonitor> inner)
    : inner_(std::move(inner)) {}

std::optional<platform::GlobalEventMonitor::Token>
CountingEventMonitor::addGlobalMonitor(std::uint64_t mask, Handler handler) {
    auto token = inner_->addGlobalMonitor(mask, std::move(handler));
    if (token)
        masks_[*token] = mask;
    return token;
}

void CountingEventMonitor::removeMonitor(Token token) {
    ++removeCalls_;
    masks_.erase(token);
    inner_->removeMonitor(token);
}

std::uint64_t CountingEventMonitor::installedMask() const {
    return masks_.size() == 1 ? masks_.begin()->second : 0;
}

namespace {

async::Task<bool> isFiled(std::shared_ptr<Membership> membership, GroupID group,
                          ObservedItem item) {
    co_return membership->tokensByGroup[group].count(item.id) > 0;
}

} // namespace

sim::Scenario UiHarness::defaultScenario() {
    return sim::ScenarioLoader::defaultScenario();
}

UiHarness::UiHarness(sim::Scenario scenario) {
    desktop = sim::SimulatedDesktop::create(loop, std::move(scenario));
    monitor = std::make_shared<CountingEventMonitor>(desktop);
    strip = StripWindowController::create(
        loop, backend,
        [membership = membership](const GroupID& group) -> GroupMembersViewModel::MembershipTest {
            return [membership, group](ObservedItem item) {
                return isFiled(membership, group, std::move(item));
            };
        },
        {desktop, desktop, monitor}, StripWindowController::identityMapping());
    store = std::make_shared<GroupStore>(loop, loop, folder / "store.json",
                                         std::chrono::milliseconds(250), log,
                                         [] { return std::chrono::system_clock::time_point{}; });
    search = ItemSearchWindowController::create(
        loop,
        ItemSearchViewModel::create(
            backend, ItemAssignmentCoordinator::create(backend, store), store,
            [desktop = desktop](const std::string& bundleID) -> std::optional<std::string> {
                auto running = desktop->runningApplicationsWithBundleIdentifier(bundleID);
                return running.empty() ? std::nullopt : running.front().localizedName;
            }),
        {desktop, desktop, monitor}, StripWindowController::identityMapping());
    interpreter = StripEffectInterpreter::create(
        backend, StripEffectInterpreter::eitherOf(search->lookup(), strip->lookup()), strip,
        std::make_shared<SystemRevealAllClock>(), loop, log);
    interpreter->setSearchDelegate(search);
    strip->setInterpreter(interpreter);
    search->setInterpreter(interpreter);
    ghostRecovery =
        GhostRecoveryCoordinator::create(backend, [this]() -> async::Task<GhostRecoveryOutcome> {
            ++confirmedRestarts;
            return backend->recoverFromGhosts();
        });
    menu = CorvelMenuController::create(
        loop, {interpreter, strip, ghostRecovery, [this] { ++settingsShown; },
               [backend = backend] { return backend->primaryIconFrame(); }, alerts,
               [this] { ++terminations; }, search});
}

UiHarness::~UiHarness() {
    strip->panel().hide();
    search->panel().hide();
}

void UiHarness::file(const ObservedItem& item, const GroupID& group) {
    store->upsertItem(Item{ItemID::random(), item.identity, 0, group});
}

ObservedItem UiHarness::addMember(const GroupID& group, const std::string& title,
                                  const std::string& bundleID, bool isInHiddenRegion) {
    ObservedItem item{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title},
                      isInHiddenRegion, std::nullopt};
    auto items = backend->items();
    items.push_back(item);
    backend->setItems(items);
    membership->tokensByGroup[group].insert(item.id);
    return item;
}

std::vector<std::string> UiHarness::rowTitles() const {
    std::vector<std::string> titles;
    if (!strip->panel().content())
        return titles;
    for (auto* button : strip->panel().content()->findChildren<StripRowButton*>())
        titles.push_back(button->text().toStdString());
    return titles;
}

bool UiHarness::stripShown() const {
    return strip->panel().isVisible();
}

void UiHarness::handle(SessionState::Event event) {
    runTask(loop, interpreter->handle(std::move(event)));
    loop.runUntilIdle();
}

std::vector<std::uint8_t> pngOfSize(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::black);
    return pngOf(image);
}

std::vector<std::uint8_t> pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

} // namespace corvel::test
