#pragma once

#include "app/CorvelAppDelegate.h"
#include "domain/Group.h"
#include "sim/BarItem.h"

#include <Qt>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {
class GlobalShortcutView;
class StripRowButton;
} // namespace corvel

namespace corvel::sim {
class SimulatedDesktop;
}

namespace corvel::app {

/// A person at the simulated desktop, for the tour and the end-to-end tests:
/// a hand that clicks in the menu bar and its menus, types and drops in the
/// settings window, clicks Strip rows and answers alerts, and eyes that read
/// what the screen shows. It goes through the same paths a real hand does
/// (the desktop's person input, Qt's input events) and never calls into
/// Corvel's objects to make things happen. Main thread only. Actions that
/// find nothing to act on throw std::runtime_error.
class SimulatedPerson {
  public:
    static constexpr const char* primaryIconName =
        "Corvel-Chrome-00000000-0000-0000-0000-0000000000F0";

    SimulatedPerson(std::shared_ptr<sim::SimulatedDesktop> desktop,
                    std::shared_ptr<CorvelAppDelegate> delegate);

    // The hand.
    void clickBarItem(const sim::BarItem& item);
    /// Chooses the entry with this title in Corvel's open menu.
    void chooseFromOwnMenu(const std::string& title);
    /// New Group in the settings window, the name typed, Return.
    void createGroup(const std::string& name);
    /// Chooses Layout in the settings window's sidebar.
    void showLayoutPane();
    /// Chooses the Group in the settings window's sidebar.
    void showGroupPane(const std::string& groupName);
    /// Chooses Hidden Group in the settings window's sidebar.
    void showHiddenGroupPane();
    /// Chooses Unresolved Items in the settings window's sidebar.
    void showUnresolvedPane();
    /// Shows the Group's pane and types the new name over the old one.
    void renameGroup(const std::string& groupName, const std::string& newName);
    /// Shows the Group's pane and clicks Delete Group; the confirmation comes
    /// on the next turn of Qt's loop, for the alerts to answer.
    void deleteGroup(const std::string& groupName);
    /// Picks `choice` ("Unresolved" or a Group's name) in the "Assign to"
    /// menu of the application's row on the pane shown (a Group's, or
    /// Unresolved Items).
    void chooseInList(const std::string& bundleIdentifier, const std::string& choice);
    /// Shows the Group's pane, clicks its shortcut recorder and presses the
    /// combination.
    void recordShortcut(const std::string& groupName, Qt::Key key, Qt::KeyboardModifiers modifiers);
    /// Shows the Hidden Group pane and records Find Item…'s shortcut there.
    void recordFindItemShortcut(Qt::Key key, Qt::KeyboardModifiers modifiers);
    /// Clicks Clear under the shortcut of the pane shown.
    void clearShortcut();
    /// Drops the item of the application onto the Group's lane of the Layout
    /// pane, as the window system delivers a drop.
    void dropIntoGroup(const std::string& bundleIdentifier, const std::string& groupName);
    void pressStripRow(const std::string& bundleIdentifier);
    /// A key pressed, with modifiers held (Control for ⌃, Alt for ⌥, Meta
    /// for ⌘), going where a keyboard's press goes: to the window that has
    /// the keyboard (the hot keys take it first), or to the simulated
    /// desktop when none of Corvel's windows has it.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    /// Types into the item search, a key at a time.
    void typeIntoSearch(const std::string& text);
    /// Answers whether an alert with that button was up and was answered.
    bool answerAlert(const std::string& button);

    // The eyes.
    std::optional<sim::BarItem>
    barItem(const std::function<bool(const sim::BarItem&)>& which) const;
    std::optional<sim::BarItem> primaryIcon() const;
    std::optional<sim::BarItem> groupIcon(const std::string& groupName) const;
    std::optional<Group> group(const std::string& name) const;
    std::vector<sim::BarItem> groupIconsLeftToRight() const;
    std::optional<sim::BarItem> applicationItem(const std::string& bundleIdentifier) const;
    /// The application's item is in the menu bar and on screen.
    bool isItemInView(const std::string& bundleIdentifier) const;
    bool isTileInLane(const std::string& bundleIdentifier, const std::string& groupName) const;
    /// The Layout pane's Menu Bar lane lists the application's item.
    bool isTileListed(const std::string& bundleIdentifier) const;
    bool hasOwnMenuOpen() const;
    /// What the recorder of the pane shown reads (a Group's, or Find
    /// Item…'s on the Hidden Group pane); none without one.
    std::optional<std::string> shortcutShown() const;
    /// What the pane shown says under its shortcut recorder; none when it
    /// says nothing (or no pane with a shortcut is shown).
    std::optional<std::string> shortcutRefusalShown() const;
    bool hasLeftover() const;
    /// Rows of the Strip on screen; 0 while none is.
    int stripRowCount() const;
    /// The applications of the rows of the Strip on screen, top to bottom.
    std::vector<std::string> stripRows() const;
    /// The application of the Strip row that has the keyboard focus, while
    /// a Strip is on screen.
    std::optional<std::string> focusedStripRow() const;
    bool isSearchShown() const;
    /// The window system has given the item search the keyboard, so that a
    /// key pressed now reaches it.
    bool searchHasKeyboard() const;
    /// The names the item search lists, top to bottom; none while it is not
    /// shown.
    std::vector<std::string> searchRows() const;
    /// The name of the row the item search has chosen; none without one.
    std::optional<std::string> chosenSearchRow() const;
    /// The application's name on that row; none without one.
    std::optional<std::string> chosenSearchRowApplication() const;

  private:
    void chooseInSidebar(const std::string& title);
    static void record(GlobalShortcutView& shortcut, Qt::Key key, Qt::KeyboardModifiers modifiers);
    GlobalShortcutView* shownShortcut() const;
    std::optional<std::string> applicationOf(const StripRowButton& row) const;
    std::optional<std::string> chosenSearchRowText(int role) const;

    std::shared_ptr<sim::SimulatedDesktop> desktop_;
    std::shared_ptr<CorvelAppDelegate> delegate_;
};

} // namespace corvel::app
