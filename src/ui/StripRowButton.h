#pragma once

#include "domain/GroupID.h"
#include "domain/ItemID.h"

#include <QToolButton>
#include <optional>

namespace corvel {

/// One row of a Strip: a flat button with the item's picture before its
/// name. Carries which row of which Group it stands for; both are set when
/// the row is built. Main thread only.
class StripRowButton final : public QToolButton {
  public:
    explicit StripRowButton(const QString& title, QWidget* parent = nullptr);

    const std::optional<ItemID>& itemID() const { return itemID_; }
    const std::optional<GroupID>& group() const { return group_; }
    void setRow(ItemID itemID, GroupID group);

  private:
    std::optional<ItemID> itemID_;
    std::optional<GroupID> group_;
};

} // namespace corvel
