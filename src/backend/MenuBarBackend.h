#pragma once

#include "async/Channel.h"
#include "async/Task.h"
#include "backend/BackendItemToken.h"
#include "backend/CaptureResult.h"
#include "backend/GhostRecoveryOutcome.h"
#include "backend/ItemFrame.h"
#include "backend/MenuBarChangeEvent.h"
#include "backend/ObservedItem.h"
#include "backend/OwnChromeIcon.h"
#include "domain/Uuid.h"

#include <memory>
#include <optional>
#include <vector>

namespace corvel::platform {
class Menu;
}

namespace corvel {

/// The one way the engine and the interface reach the live menu bar. Callers
/// share one instance through a std::shared_ptr, hold it only as this
/// interface, and keep it alive while any of its tasks runs.
///
/// Every operation is called on the main thread. Tasks may do their waiting
/// elsewhere but resume their awaiter on the main thread; they may overlap,
/// and the backend serialises what must not. Throwing operations throw only
/// BackendError. Until prepare() has succeeded, hideRegion(), revealRegion(),
/// the two moves and placeOwnChrome() fail with underlying and a message
/// beginning "prepare() must be called before" that names the operation.
class MenuBarBackend {
  public:
    using ChangeStream = async::Channel<MenuBarChangeEvent>;

    virtual ~MenuBarBackend() = default;

    /// Makes `menu` open on a click of the primary icon, also after the icon
    /// is placed anew; nullptr removes it. A click that opens the menu is not
    /// reported as ownChromeClicked.
    virtual void attachPrimaryIconMenu(std::shared_ptr<platform::Menu> menu) = 0;

    /// Absent before the icons are placed or when the icon cannot be found.
    virtual std::optional<ItemFrame> primaryIconFrame() const = 0;

    /// Where the own icon with this handle stands now, as the window list
    /// reports it (pushed off the screen, its x is negative); absent before
    /// it is placed or when it cannot be found.
    virtual std::optional<ItemFrame> ownChromeFrame(const Uuid& handle) const = 0;

    /// Installs what hiding, moving and pressing need and starts the change
    /// events. May be repeated after a failure, which leaves nothing
    /// half-installed; once it has succeeded, further calls do nothing.
    virtual async::Task<void> prepare() = 0;

    /// A fresh reading of every foreign item, in the backend's reading order.
    /// Does not need prepare().
    virtual async::Task<std::vector<ObservedItem>> currentItems() = 0;

    /// The same reading, with the identities the backend already holds for
    /// windows it has seen as they stand; only a window new to it is asked
    /// about. What a Strip shows on every opening needs no more. A backend
    /// that holds none answers currentItems().
    virtual async::Task<std::vector<ObservedItem>> knownItems() { return currentItems(); }

    /// Hides the whole hidden region; refuses, leaving everything as it was,
    /// rather than hide an item that was not moved into the region.
    virtual async::Task<void> hideRegion() = 0;

    /// Brings the whole hidden region into view. Neither this nor hideRegion()
    /// changes which items are in the region.
    virtual async::Task<void> revealRegion() = 0;

    virtual async::Task<void> moveIntoHiddenRegion(ObservedItem item) = 0;
    virtual async::Task<void> moveOutOfHiddenRegion(ObservedItem item) = 0;

    /// The whole reveal of one item: out of the hidden region, pressed so its
    /// menu opens, watched until the menu closes, and back in. Returns when
    /// that cycle has ended. An item that stood in view is pressed where it
    /// stands and left there. pressUnconfirmed leaves the item in view.
    virtual async::Task<void> press(ObservedItem item) = 0;

    /// Never throws: every failure is an unavailable result with its reason.
    virtual async::Task<CaptureResult> captureSnapshot(ObservedItem item) = 0;

    /// One unbounded stream for the life of the backend, with one consumer.
    /// Events start once prepare() has succeeded; own icon clicks as soon as
    /// the icons are placed.
    virtual std::shared_ptr<ChangeStream> changes() const = 0;

    /// Looks for leftover own items and clears them where the backend may.
    /// Never throws.
    virtual async::Task<GhostRecoveryOutcome> recoverFromGhosts() = 0;

    /// Makes the own icons in the menu bar equal to `icons`, one per handle,
    /// laid out by order. Answers the window-list tokens of the placed icons.
    virtual async::Task<std::vector<BackendItemToken>>
    placeOwnChrome(std::vector<OwnChromeIcon> icons) = 0;
};

} // namespace corvel
