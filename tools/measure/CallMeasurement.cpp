#include "measure/CallMeasurement.h"

#include "platform/SyntheticEvents.h"

#include <QCoreApplication>
#include <algorithm>
#include <map>

namespace corvel::measure {

namespace {

using namespace std::chrono_literals;

constexpr const char* groupName = "Many";
constexpr const char* controlCenter = "com.apple.controlcenter";
constexpr auto seenLimit = 5s;
/// Long enough for a still bar to be read at its resting pace.
constexpr auto restBeforeChange = 10s;
/// Moments of the poll's cycle at which each change is made.
constexpr int moments = 8;
constexpr auto momentStep = 125ms;

std::vector<std::pair<std::uint32_t, double>> barOf(const sim::SimulatedDesktop& desktop) {
    std::vector<std::pair<std::uint32_t, double>> bar;
    for (const auto& item : desktop.itemsLeftToRight())
        bar.emplace_back(item.windowNumber, item.frame.origin.x);
    return bar;
}

std::chrono::milliseconds worse(std::optional<std::chrono::milliseconds> a,
                                std::chrono::milliseconds b) {
    return a ? std::max(*a, b) : b;
}

} // namespace

CallMeasurement::CallMeasurement(sim::Scenario scenario)
    : run_(std::move(scenario)), counter_(std::make_shared<test::PortCounter>(&run_.loop)) {
    run_.portCounter = counter_;
}

CallMeasurement::Result CallMeasurement::run() {
    run_.launch();
    fileGroup();
    Result result;
    measureIdleMinute(result);
    measureStripAndPress(result);
    measureChanges(result);
    return result;
}

bool CallMeasurement::settleUntil(const std::function<bool()>& condition,
                                  async::Duration limit) {
    const auto deadline = run_.loop.now() + limit;
    for (;;) {
        QCoreApplication::processEvents();
        run_.loop.runUntilIdle();
        if (condition())
            return true;
        if (run_.loop.now() >= deadline)
            return false;
        run_.loop.advance(1ms);
    }
}

std::set<std::int32_t> CallMeasurement::scannedApplications() const {
    std::set<std::int32_t> pids;
    for (const auto& application : run_.desktop->runningApplications())
        if (application.bundleIdentifier &&
            application.activationPolicy != platform::ActivationPolicy::prohibited)
            pids.insert(application.processIdentifier);
    return pids;
}

void CallMeasurement::fileGroup() {
    std::map<std::string, int> itemsOf;
    const auto self = run_.desktop->currentProcessIdentifier();
    for (const auto& item : run_.desktop->itemsLeftToRight())
        if (item.creatorPid != self)
            for (const auto& process : run_.desktop->processes())
                if (process.pid == item.creatorPid && process.bundleIdentifier)
                    ++itemsOf[*process.bundleIdentifier];
    // One item per application, so that a drop names the item it means.
    for (const auto& [bundle, count] : itemsOf)
        if (count == 1 && bundle != controlCenter &&
            static_cast<int>(members_.size()) < stripSize)
            members_.push_back(bundle);

    run_.delegate->settingsWindowController()->show();
    run_.person->createGroup(groupName);
    test::WholeRun::expect(
        run_.advanceUntil([&] { return run_.person->groupIcon(groupName).has_value(); }),
        "the Group's icon did not appear");
    run_.person->showLayoutPane();
    for (const auto& bundle : members_) {
        const auto dropped = [&] {
            try {
                run_.person->dropIntoGroup(bundle, groupName);
                return true;
            } catch (const std::runtime_error&) {
                return false;
            }
        };
        test::WholeRun::expect(run_.advanceUntil(dropped), "no tile of " + bundle + " to drag");
        test::WholeRun::expect(
            run_.advanceUntil([&] { return !run_.person->isItemInView(bundle); }),
            bundle + " was not hidden");
    }
    // Closed, as a person leaves it: an open window may read on its own.
    run_.delegate->settingsWindowController()->window().close();
    run_.loop.advance(restBeforeChange);
}

void CallMeasurement::measureIdleMinute(Result& result) {
    counter_->reset();
    run_.loop.advance(60s);
    result.idleMinute = counter_->counts();
    result.idleMinuteFullScans = result.idleMinute.fullScans(scannedApplications());
}

void CallMeasurement::openStrip() {
    const auto icon = run_.person->groupIcon(groupName);
    test::WholeRun::expect(icon.has_value(), "the Group has no icon");
    run_.person->clickBarItem(*icon);
    test::WholeRun::expect(settleUntil(
                               [&] {
                                   return run_.person->stripRowCount() ==
                                          static_cast<int>(members_.size());
                               },
                               2s),
                           "the Strip did not list the Group's items");
}

void CallMeasurement::measureStripAndPress(Result& result) {
    result.stripMembers = static_cast<int>(members_.size());
    test::WholeRun::expect(!members_.empty(), "no application to file");
    counter_->reset();
    openStrip();
    result.stripOpen = counter_->counts();
    result.stripOpenFullScans = result.stripOpen.fullScans(scannedApplications());

    const std::string& pressed = members_.front();
    const auto pid = run_.desktop->pidOf(pressed);
    const auto began = run_.loop.now();
    counter_->reset();
    run_.person->pressStripRow(pressed);
    test::WholeRun::expect(settleUntil(
                               [&] {
                                   const auto menus = run_.desktop->openMenus();
                                   return menus.size() == 1 && menus[0].ownerPid == pid;
                               },
                               3s),
                           "pressing " + pressed + " opened no menu");
    run_.desktop->pressKey(platform::SyntheticEvents::escapeKeyCode);
    test::WholeRun::expect(settleUntil(
                               [&] {
                                   return run_.desktop->openMenus().empty() &&
                                          !run_.person->isItemInView(pressed);
                               },
                               3s),
                           pressed + " did not go back after its press");
    result.press = counter_->counts();
    result.pressFullScans = result.press.fullScans(scannedApplications());
    result.pressDuration =
        std::chrono::duration_cast<std::chrono::milliseconds>(run_.loop.now() - began);
}

std::vector<std::string> CallMeasurement::unfiledApplications() const {
    std::vector<std::string> found;
    const auto self = run_.desktop->currentProcessIdentifier();
    for (const auto& item : run_.desktop->itemsLeftToRight()) {
        if (item.creatorPid == self || item.frame.origin.x < 0 || !item.movable)
            continue;
        for (const auto& process : run_.desktop->processes())
            if (process.pid == item.creatorPid && process.bundleIdentifier &&
                *process.bundleIdentifier != controlCenter &&
                std::find(members_.begin(), members_.end(), *process.bundleIdentifier) ==
                    members_.end() &&
                std::find(found.begin(), found.end(), *process.bundleIdentifier) == found.end())
                found.push_back(*process.bundleIdentifier);
    }
    return found;
}

std::optional<std::chrono::milliseconds>
CallMeasurement::timeUntilSeen(const std::function<void()>& change) {
    const auto before = barOf(*run_.desktop);
    change();
    std::optional<async::TimePoint> differed;
    std::size_t readsAtDifference = 0;
    const auto deadline = run_.loop.now() + seenLimit;
    while (run_.loop.now() < deadline) {
        if (!differed && barOf(*run_.desktop) != before) {
            differed = run_.loop.now();
            // A read in the very step that changed the bar may have come
            // before the change: only a later one counts as seeing it.
            readsAtDifference = counter_->counts().windowListReadTimes.size();
        }
        const auto reads = counter_->counts().windowListReadTimes;
        if (differed && reads.size() > readsAtDifference)
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                reads[readsAtDifference] - *differed);
        run_.loop.advance(1ms);
    }
    return std::nullopt;
}

void CallMeasurement::measureChanges(Result& result) {
    const auto candidates = unfiledApplications();
    test::WholeRun::expect(candidates.size() >= 2, "too few items in view to move and quit");
    const std::string quitting = candidates.front();
    const std::string dragged = candidates.back();
    bool allSeen = true;
    for (int moment = 0; moment < moments; ++moment) {
        run_.loop.advance(restBeforeChange + moment * momentStep);
        const auto quit = timeUntilSeen([&] { run_.desktop->quitApplication(quitting); });
        run_.loop.advance(restBeforeChange + moment * momentStep);
        const auto launched = timeUntilSeen([&] { run_.desktop->launchApplication(quitting); });
        run_.loop.advance(restBeforeChange + moment * momentStep);
        const auto item = run_.person->applicationItem(dragged);
        const auto drag = [&] {
            if (!item)
                return;
            // Onto the movable item in view furthest from it, so that the
            // drag always moves it.
            const platform::Point from{item->frame.midX(),
                                      item->frame.origin.y + item->frame.size.height / 2};
            double target = from.x;
            for (const auto& other : run_.desktop->itemsLeftToRight())
                if (other.frame.origin.x >= 0 && other.movable &&
                    std::abs(other.frame.midX() - from.x) > std::abs(target - from.x))
                    target = other.frame.midX();
            run_.desktop->commandDrag(from, {target, from.y});
        };
        const auto moved = timeUntilSeen(drag);
        allSeen = allSeen && quit && launched && moved;
        if (quit)
            result.seenQuit = worse(result.seenQuit, *quit);
        if (launched)
            result.seenNewItem = worse(result.seenNewItem, *launched);
        if (moved)
            result.seenPersonsDrag = worse(result.seenPersonsDrag, *moved);
    }
    if (!allSeen) {
        result.seenQuit.reset();
        result.seenNewItem.reset();
        result.seenPersonsDrag.reset();
    }
}

} // namespace corvel::measure
