#pragma once

#include "async/Task.h"
#include "backend/MenuBarBackend.h"
#include "backend/ObservedItem.h"
#include "domain/ItemID.h"
#include "engine/ItemGlyphCache.h"
#include "engine/ItemSearchIndex.h"
#include "engine/ItemSearchRow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel {

class GroupStore;
class ItemAssignmentCoordinator;

/// The contents of the item search: every item Corvel can file, wherever it
/// stands (in view, in a Group, in the Hidden Group), what typed text finds
/// among them, and the way back from a row to the live item to press.
///
/// Main thread only. The refreshes suspend at the backend and resume on the
/// main thread; overlapping refreshes share the rows and the one that
/// finishes last decides them. Always owned by a std::shared_ptr: a refresh
/// keeps it alive until the refresh ends.
class ItemSearchViewModel : public std::enable_shared_from_this<ItemSearchViewModel> {
  public:
    /// The name of the running application with a bundle identifier, if any
    /// runs.
    using ApplicationName = std::function<std::optional<std::string>(const std::string& bundleID)>;

    static std::shared_ptr<ItemSearchViewModel>
    create(std::shared_ptr<MenuBarBackend> backend,
           std::shared_ptr<ItemAssignmentCoordinator> assignment, std::shared_ptr<GroupStore> store,
           ApplicationName applicationName);
    ItemSearchViewModel(const ItemSearchViewModel&) = delete;
    ItemSearchViewModel& operator=(const ItemSearchViewModel&) = delete;

    /// Reads the menu bar again and answers every item left to right, with
    /// the pictures captured so far. A failed reading is thrown as
    /// BackendError and leaves the earlier rows in place.
    async::Task<std::vector<ItemSearchRow>> refreshRows();

    /// Captures the pictures that the rows in view still lack, one at a
    /// time, and answers whether any row gained one.
    async::Task<bool> captureMissingPictures();

    /// The rows of the latest refresh, left to right.
    const std::vector<ItemSearchRow>& rows() const { return rows_; }

    /// Indices into rows() of what `text` finds, best first; every row, left
    /// to right, for empty text. Fast enough for every keystroke.
    std::vector<std::size_t> search(std::string_view text) const;

    /// The live item behind a row of the latest refresh, or none.
    std::optional<ObservedItem> observedItem(const ItemID& id) const;

    /// The person pressed this row: it ranks before equal matches for the
    /// rest of the run.
    void noteUsed(const ItemID& id);

  private:
    ItemSearchViewModel(std::shared_ptr<MenuBarBackend> backend,
                        std::shared_ptr<ItemAssignmentCoordinator> assignment,
                        std::shared_ptr<GroupStore> store, ApplicationName applicationName);
    /// `self` keeps this object alive in the frame across every suspension.
    async::Task<std::vector<ItemSearchRow>> refreshing(std::shared_ptr<ItemSearchViewModel> self);
    async::Task<bool> capturing(std::shared_ptr<ItemSearchViewModel> self);

    std::string applicationNameOf(const std::string& bundleID) const;
    std::uint64_t lastUse(const ItemID& id) const;
    struct Entry {
        ItemSearchRow row;
        ObservedItem observed;
    };
    void publish(std::vector<Entry> entries);

    std::shared_ptr<ItemAssignmentCoordinator> assignment_;
    std::shared_ptr<GroupStore> store_;
    ApplicationName applicationName_;
    ItemGlyphCache glyphs_;
    std::vector<ItemSearchRow> rows_;
    /// The live item of each row, in the rows' order.
    std::vector<ObservedItem> observed_;
    ItemSearchIndex index_;
    std::unordered_map<ItemID, std::uint64_t> lastUses_;
    std::uint64_t uses_ = 0;
};

} // namespace corvel
