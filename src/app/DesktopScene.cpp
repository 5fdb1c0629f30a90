#include "app/DesktopScene.h"

#include "sim/SimulatedDesktop.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>
#include <tuple>

namespace corvel::app {

namespace {

// The desktop has no notion of a frontmost application: the first ordinary
// application stands in front; without one the bar shows no menus.
std::string frontApplicationName(const sim::SimulatedDesktop& desktop) {
    return desktop
        .nameOfFirstProcess([](const sim::SimProcess& p) {
            return p.running && p.isApplication &&
                   p.activationPolicy == platform::ActivationPolicy::regular;
        })
        .value_or(std::string());
}

// The simulated wall clock has no time zone: it reads as UTC, so a scenario's
// start time is what the clock shows.
std::string clockTextAt(std::chrono::system_clock::time_point time) {
    const auto since =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(since.count(), QTimeZone::utc());
    return QLocale::c().toString(moment, "ddd MMM d h:mm AP").toStdString();
}

auto drawnFields(const sim::BarItem& item) {
    return std::tie(item.windowNumber, item.ownerPid, item.name, item.frame, item.title, item.image,
                    item.imagePosition, item.isLeftover, item.color);
}

} // namespace

DesktopScene DesktopScene::of(const sim::SimulatedDesktop& desktop,
                              const sim::Scenario::Screen& screen, std::int32_t selfPid) {
    DesktopScene scene;
    scene.screen = screen;
    scene.selfPid = selfPid;
    scene.frontApplication = frontApplicationName(desktop);
    if (!scene.frontApplication.empty())
        scene.frontMenus = {"File", "Edit", "View", "Window", "Help"};
    scene.items = desktop.itemsLeftToRight();
    scene.menus = desktop.openMenus();
    scene.clockText = clockTextAt(desktop.now());
    return scene;
}

bool DesktopScene::looksLike(const DesktopScene& other) const {
    if (frontApplication != other.frontApplication || menus != other.menus ||
        clockText != other.clockText || items.size() != other.items.size())
        return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (drawnFields(items[i]) != drawnFields(other.items[i]))
            return false;
    }
    return true;
}

} // namespace corvel::app
