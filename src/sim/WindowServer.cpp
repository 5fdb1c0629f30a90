#include "sim/WindowServer.h"

#include "platform/WindowInfoKey.h"
#include "platform/WindowList.h"

#include <algorithm>

namespace corvel::sim {

namespace {

using platform::PlatformValue;
using platform::WindowInfoKey;

struct WindowFacts {
    std::int64_t layer;
    std::uint32_t number;
    std::int32_t ownerPid;
    std::string name;
    platform::Rect bounds;
};

bool intersects(const platform::Rect& a, const platform::Rect& b) {
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

WindowServer::Facts factsOf(const World& world, const WindowFacts& window) {
    WindowServer::Facts facts{window.layer, window.number, window.ownerPid, window.bounds,
                              intersects(window.bounds, world.screenFrame()), std::nullopt,
                              std::nullopt};
    if (const SimProcess* owner = world.process(window.ownerPid); owner && owner->running)
        facts.ownerName = owner->name;
    // macOS 26 hides the names of other processes' windows from a reader
    // without Screen Recording.
    if (world.screenRecordingGranted || window.ownerPid == world.selfPid())
        facts.name = window.name;
    return facts;
}

PlatformValue dictionaryFor(const WindowServer::Facts& facts) {
    PlatformValue::Dictionary bounds{
        {std::string(WindowInfoKey::boundsX), PlatformValue::real(facts.bounds.origin.x)},
        {std::string(WindowInfoKey::boundsY), PlatformValue::real(facts.bounds.origin.y)},
        {std::string(WindowInfoKey::boundsWidth), PlatformValue::real(facts.bounds.size.width)},
        {std::string(WindowInfoKey::boundsHeight), PlatformValue::real(facts.bounds.size.height)},
    };
    PlatformValue::Dictionary entries{
        {std::string(WindowInfoKey::layer), PlatformValue::integer(facts.layer)},
        {std::string(WindowInfoKey::number), PlatformValue::integer(facts.number)},
        {std::string(WindowInfoKey::ownerPID), PlatformValue::integer(facts.ownerPid)},
        {std::string(WindowInfoKey::bounds), PlatformValue::dictionary(std::move(bounds))},
        {std::string(WindowInfoKey::alpha), PlatformValue::real(1.0)},
        {std::string(WindowInfoKey::isOnscreen), PlatformValue::boolean(facts.isOnscreen)},
    };
    if (facts.ownerName)
        entries.emplace(std::string(WindowInfoKey::ownerName),
                        PlatformValue::string(*facts.ownerName));
    if (facts.name)
        entries.emplace(std::string(WindowInfoKey::name), PlatformValue::string(*facts.name));
    return PlatformValue::dictionary(std::move(entries));
}

std::vector<WindowFacts> statusWindowsNewestFirst(const World& world, async::TimePoint now) {
    std::vector<WindowFacts> windows;
    const auto frames = world.layoutFrames();
    for (std::size_t i = 0; i < world.entries().size(); ++i) {
        const StatusEntry& entry = world.entries()[i];
        if (!world.isListed(entry))
            continue;
        windows.push_back({platform::WindowList::statusItemLayer, entry.windowNumber,
                           world.windowOwner(entry), entry.autosaveName,
                           world.reportedFrame(entry, frames[i], now)});
    }
    std::sort(windows.begin(), windows.end(),
              [](const WindowFacts& a, const WindowFacts& b) { return a.number > b.number; });
    return windows;
}

} // namespace

PlatformValue WindowServer::windowList(const World& world, async::TimePoint now) {
    PlatformValue::Array list;
    for (auto menu = world.menus().rbegin(); menu != world.menus().rend(); ++menu)
        list.push_back(dictionaryFor(factsOf(world, {platform::WindowList::popUpMenuLayer,
                                                     menu->windowNumber, menu->ownerPid, "",
                                                     menu->frame})));
    std::unordered_map<std::uint32_t, Made> made;
    for (const auto& window : statusWindowsNewestFirst(world, now)) {
        auto facts = factsOf(world, window);
        auto earlier = made_.find(window.number);
        PlatformValue dictionary = earlier != made_.end() && earlier->second.facts == facts
                                       ? earlier->second.dictionary
                                       : dictionaryFor(facts);
        list.push_back(dictionary);
        made.insert_or_assign(window.number, Made{std::move(facts), std::move(dictionary)});
    }
    made_ = std::move(made);
    for (const auto& raw : world.scenario().extraWindows)
        list.push_back(raw);
    return PlatformValue::array(std::move(list));
}

std::vector<platform::ShareableWindow> WindowServer::shareableWindows(const World& world,
                                                                      async::TimePoint now) {
    std::vector<platform::ShareableWindow> result;
    for (const auto& facts : statusWindowsNewestFirst(world, now)) {
        if (!intersects(facts.bounds, world.screenFrame()))
            continue;
        result.push_back({facts.number, facts.bounds, facts.ownerPid, facts.name, true});
    }
    return result;
}

} // namespace corvel::sim
