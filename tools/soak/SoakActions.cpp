// The repertoire of a soak: what a person does at the menu bar and in the
// settings, and what a Mac does on its own.
#include "engine/GroupStore.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "soak/SoakRun.h"

#include <csignal>

namespace corvel::soak {

namespace {

using namespace std::chrono_literals;

constexpr const char* controlCenter = "com.apple.controlcenter";
constexpr std::uint16_t escapeKeyCode = 53;
constexpr std::size_t mostGroups = 5;

std::string seconds(async::Duration duration) {
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(duration).count() /
                          1000.0)
               .substr(0, 5) +
           " s";
}

} // namespace

std::optional<std::string> SoakRun::someGroup() {
    if (model_.groups.empty())
        return std::nullopt;
    return oneOf(model_.groups);
}

std::string SoakRun::createGroup() {
    if (model_.groups.size() >= mostGroups)
        return renameGroup();
    const std::string name = "Group " + std::to_string(++groupsMade_);
    settingsShown();
    run_.person->createGroup(name);
    model_.groups.push_back(name);
    return "create the Group " + name;
}

std::string SoakRun::renameGroup() {
    const auto group = someGroup();
    if (!group)
        return createGroup();
    const std::string name = "Renamed " + std::to_string(++groupsMade_);
    settingsShown();
    run_.person->renameGroup(*group, name);
    model_.renameGroup(*group, name);
    return "rename " + *group + " to " + name;
}

std::string SoakRun::deleteGroup() {
    const auto group = someGroup();
    if (!group)
        return createGroup();
    settingsShown();
    run_.person->deleteGroup(*group);
    // The confirmation comes on the next turn of Qt's loop.
    QCoreApplication::processEvents();
    run_.loop.runUntilIdle();
    deleting_ = *group;
    model_.removeGroup(*group);
    return "delete " + *group;
}

std::string SoakRun::fileByDrag() {
    std::vector<std::string> unfiled;
    for (const auto& bundle : runningCandidates(true))
        if (!model_.filed.contains(bundle))
            unfiled.push_back(bundle);
    const auto group = someGroup();
    if (unfiled.empty() || !group)
        return createGroup();
    const auto& bundle = oneOf(unfiled);
    settingsShown();
    run_.person->showLayoutPane();
    // An open pane follows the menu bar: every running application's item is
    // there to drag, whether the pane was just shown or open all along.
    if (!waitUntil([&] { return run_.person->isTileListed(bundle); }, 2s)) {
        pendingFailure_ = "the Layout pane does not list " + bundle;
        return "drag " + bundle + " into " + *group;
    }
    run_.person->dropIntoGroup(bundle, *group);
    needAHand_.erase(bundle);
    return "drag " + bundle + " into " + *group + followFiling(bundle, *group);
}

// A person reads a pane before using it; it shows the rows it reads when it
// appears by then.
void SoakRun::lookAtPane() {
    const auto until = run_.loop.now() + 300ms + someTime(1s);
    waitUntil([&] { return run_.loop.now() >= until; }, 2s);
}

std::string SoakRun::chooseInList(const std::string& bundle, const std::string& choice) {
    settingsShown();
    const auto filed = model_.filed.find(bundle);
    if (filed == model_.filed.end())
        run_.person->showUnresolvedPane();
    else
        run_.person->showGroupPane(filed->second);
    lookAtPane();
    const bool chosen = waitUntil(
        [&] {
            try {
                run_.person->chooseInList(bundle, choice);
                return true;
            } catch (const std::runtime_error&) {
                return false;
            }
        },
        2s);
    if (!chosen) {
        pendingFailure_ = "the settings do not list " + bundle;
        return "choose " + choice + " for " + bundle + " in the list";
    }
    needAHand_.erase(bundle);
    return "choose " + choice + " for " + bundle + " in the list";
}

std::string SoakRun::fileFromList() {
    const auto running = runningCandidates(true);
    const auto group = someGroup();
    if (running.empty() || !group)
        return createGroup();
    const auto& bundle = oneOf(running);
    const auto filed = model_.filed.find(bundle);
    if (filed != model_.filed.end() && filed->second == *group)
        return unfileFromList();
    const auto did = chooseInList(bundle, *group);
    return did + followFiling(bundle, *group);
}

std::string SoakRun::unfileFromList() {
    std::vector<std::string> filed;
    for (const auto& bundle : runningCandidates(true))
        if (model_.filed.contains(bundle))
            filed.push_back(bundle);
    if (filed.empty())
        return fileByDrag();
    const auto& bundle = oneOf(filed);
    const auto did = chooseInList(bundle, "Unresolved");
    model_.filed.erase(bundle);
    return did;
}

// Filing an item that has left the menu bar, or with the hidden region full,
// does nothing but tell the person so.
std::string SoakRun::followFiling(const std::string& bundle, const std::string& group) {
    bool refused = false;
    waitUntil(
        [&] {
            QCoreApplication::processEvents();
            for (const auto& alert : run_.alerts->shown())
                refused = refused || (alert.messageText == "Couldn't Assign That Item" &&
                                      (alert.informativeText.starts_with("That item isn't") ||
                                       alert.informativeText.starts_with("There is no room")));
            const auto& store = *run_.delegate->store();
            const auto held =
                SoakModel::of({.groups = store.groups(), .items = store.items()}, {bundle});
            return refused || held.filed == std::map<std::string, std::string>{{bundle, group}};
        },
        5s);
    if (refused)
        return " (refused: the item left the menu bar or there is no room)";
    model_.filed[bundle] = group;
    return "";
}

std::string SoakRun::personsChange() {
    static constexpr Action changes[] = {
        &SoakRun::createGroup, &SoakRun::renameGroup,  &SoakRun::deleteGroup,
        &SoakRun::fileByDrag,  &SoakRun::fileFromList, &SoakRun::unfileFromList,
    };
    return (this->*changes[below(std::size(changes))])();
}

std::string SoakRun::pressFromStrip() {
    std::vector<std::string> withMembers;
    for (const auto& group : model_.groups)
        for (const auto& bundle : model_.membersOf(group))
            if (run_.desktop->pidOf(bundle) && !needAHand_.contains(bundle)) {
                withMembers.push_back(group);
                break;
            }
    if (withMembers.empty())
        return fileByDrag();
    const auto& group = oneOf(withMembers);
    std::vector<std::string> listed;
    for (const auto& bundle : model_.membersOf(group))
        if (run_.desktop->pidOf(bundle))
            listed.push_back(bundle);
    const auto icon = run_.person->groupIcon(group);
    if (!icon) {
        pendingFailure_ = "the Group " + group + " has no icon in the menu bar";
        return "open the Strip of " + group;
    }
    run_.person->clickBarItem(*icon);
    auto rows = run_.person->stripRows();
    const bool shown = waitUntil(
        [&] {
            rows = run_.person->stripRows();
            std::sort(rows.begin(), rows.end());
            return rows == listed;
        },
        2s);
    if (!shown) {
        std::string seen;
        for (const auto& row : rows)
            seen += " " + row;
        pendingFailure_ = "the Strip of " + group + " lists" + (seen.empty() ? " nothing" : seen);
        return "open the Strip of " + group;
    }
    const auto& bundle = oneOf(listed);
    run_.person->pressStripRow(bundle);
    const auto pid = run_.desktop->pidOf(bundle);
    if (!waitUntil(
            [&] {
                const auto menus = run_.desktop->openMenus();
                return menus.size() == 1 && menus[0].ownerPid == pid;
            },
            3s)) {
        pendingFailure_ =
            "pressing " + bundle + " in the Strip of " + group + " opened no menu of it";
        return "press " + bundle + " in the Strip of " + group;
    }
    // A person reads the menu before closing it.
    run_.loop.advance(someTime(3s));
    run_.desktop->pressKey(escapeKeyCode);
    return "press " + bundle + " in the Strip of " + group;
}

std::string SoakRun::chooseFromCorvelsMenu(const std::string& title) {
    const auto icon = run_.person->primaryIcon();
    if (!icon) {
        pendingFailure_ = "Corvel's icon is not in the menu bar";
        return "choose " + title;
    }
    run_.person->clickBarItem(*icon);
    if (!waitUntil([&] { return run_.person->hasOwnMenuOpen(); }, 2s)) {
        pendingFailure_ = "a click on Corvel's icon opened no menu";
        return "choose " + title;
    }
    run_.person->chooseFromOwnMenu(title);
    QCoreApplication::processEvents();
    run_.loop.runUntilIdle();
    return "choose " + title;
}

std::string SoakRun::showAll() {
    if (showAllActive())
        return hideAll();
    const auto did = chooseFromCorvelsMenu("Show All Items for 30 Seconds");
    showAllUntil_ = run_.loop.now() + 30s;
    run_.loop.advance(someTime(40s));
    return did;
}

std::string SoakRun::hideAll() {
    if (!showAllActive())
        return showAll();
    showAllUntil_ = {};
    return chooseFromCorvelsMenu("Hide All Items Now");
}

std::string SoakRun::repairMenuBar() {
    return chooseFromCorvelsMenu("Repair Menu Bar");
}

std::string SoakRun::commandDragByHand() {
    const auto self = run_.desktop->currentProcessIdentifier();
    std::vector<sim::BarItem> items;
    for (const auto& item : run_.desktop->itemsLeftToRight()) {
        const bool filed =
            std::any_of(model_.filed.begin(), model_.filed.end(), [&](const auto& f) {
                // The application that made it; Control Center may own its window.
                return run_.desktop->pidOf(f.first) == item.creatorPid;
            });
        // A hand reaches only what is on screen.
        if (item.movable && !item.isLeftover && item.creatorPid != self && !filed &&
            item.frame.origin.x >= 0)
            items.push_back(item);
    }
    if (items.empty())
        return idle();
    const auto& item = oneOf(items);
    const double width = run_.scenario.screen.width;
    const platform::Point from{item.frame.midX(), item.frame.origin.y + item.frame.size.height / 2};
    const platform::Point to{
        width / 2 + static_cast<double>(below(static_cast<std::uint64_t>(width / 2))), from.y};
    run_.desktop->commandDrag(from, to);
    return "Command-drag " + item.name + " to x " + std::to_string(static_cast<int>(to.x));
}

std::string SoakRun::quitApplication() {
    return startOrQuitApplication(true);
}

std::string SoakRun::launchApplication() {
    return startOrQuitApplication(false);
}

// Quits one of the running applications, or starts one that is not
// running; the other when there is none such.
std::string SoakRun::startOrQuitApplication(bool quit) {
    if (candidates_.empty())
        return idle();
    auto choices = runningCandidates(quit);
    if (choices.empty()) {
        quit = !quit;
        choices = runningCandidates(quit);
    }
    const auto& bundle = oneOf(choices);
    if (quit)
        run_.desktop->quitApplication(bundle);
    else
        run_.desktop->launchApplication(bundle);
    return bundle + (quit ? " quits" : " launches");
}

std::string SoakRun::hangApplication() {
    const auto running = runningCandidates(true);
    if (running.empty())
        return launchApplication();
    const auto& bundle = oneOf(running);
    run_.desktop->setApplicationHung(bundle, true);
    faultThisStep_ = true;
    const auto did = personsChange();
    const auto held = someTime(30s);
    run_.loop.advance(held);
    run_.desktop->setApplicationHung(bundle, false);
    return bundle + " hangs for " + seconds(held) + " while the person does: " + did;
}

std::string SoakRun::restartControlCenter() {
    if (!run_.desktop->pidOf(controlCenter))
        return idle();
    run_.desktop->quitApplication(controlCenter);
    return "Control Center restarts";
}

std::string SoakRun::withdrawAccessibility() {
    run_.desktop->setAccessibilityTrusted(false);
    faultThisStep_ = true;
    const auto did = personsChange();
    const auto held = someTime(20s);
    run_.loop.advance(held);
    run_.desktop->setAccessibilityTrusted(true);
    return "Accessibility withdrawn for " + seconds(held) + " while the person does: " + did;
}

std::string SoakRun::withdrawScreenRecording() {
    run_.desktop->setScreenRecordingGranted(false);
    faultThisStep_ = true;
    const auto did = personsChange();
    const auto held = someTime(20s);
    run_.loop.advance(held);
    run_.desktop->setScreenRecordingGranted(true);
    return "Screen Recording withdrawn for " + seconds(held) + " while the person does: " + did;
}

std::string SoakRun::relaunchAfterQuit(const std::string& how) {
    if (!awaitQuit()) {
        pendingFailure_ = how + " did not end Corvel";
        return how;
    }
    if (auto differs = checkStoreOnDisk())
        pendingFailure_ = "after " + how + ", " + *differs;
    const auto away = someTime(60s);
    run_.loop.advance(away);
    launchCorvel();
    return how + ", launched again " + seconds(away) + " later";
}

std::string SoakRun::quitCorvel() {
    chooseFromCorvelsMenu("Quit Corvel");
    return relaunchAfterQuit("Quit Corvel");
}

std::string SoakRun::terminateCorvel() {
    ::raise(SIGTERM);
    return relaunchAfterQuit("SIGTERM");
}

std::string SoakRun::killCorvel() {
    const auto did = chance(70) ? personsChange() : std::string("nothing");
    const auto after = someTime(600ms);
    run_.loop.advance(after);
    kill();
    if (auto torn = checkAfterKill())
        pendingFailure_ = *torn;
    const auto away = someTime(60s);
    run_.loop.advance(away);
    launchCorvel();
    return "killed " + seconds(after) + " after: " + did + "; launched again " + seconds(away) +
           " later";
}

std::string SoakRun::idle() {
    const auto away = someTime(std::chrono::minutes(5));
    run_.loop.advance(away);
    return "nothing for " + seconds(away);
}

} // namespace corvel::soak
