#pragma once

#include "engine/AssignableItemRow.h"

#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace corvel {

/// Keeps the widgets that show Item rows by Item id across row changes: a
/// row already shown is updated in place (so a rename under way in it
/// survives), a new one gets a new widget, and widgets of rows that left are
/// hidden and deleted once control is back in the event loop. The widgets
/// are laid out again in row order.
template <class View, class Make, class Update>
std::vector<View*> reconcileItemWidgets(const std::vector<View*>& current,
                                        const std::vector<AssignableItemRow>& rows, QLayout& layout,
                                        Make make, Update update) {
    std::vector<View*> kept;
    for (const auto& row : rows) {
        auto found = std::find_if(current.begin(), current.end(),
                                  [&](View* view) { return view->row().id == row.id; });
        if (found == current.end()) {
            kept.push_back(make(row));
            continue;
        }
        update(**found, row);
        kept.push_back(*found);
    }
    for (View* view : current) {
        if (std::find(kept.begin(), kept.end(), view) == kept.end()) {
            view->hide();
            view->deleteLater();
        }
    }
    while (auto* item = layout.takeAt(0))
        delete item;
    for (View* view : kept)
        layout.addWidget(view);
    return kept;
}

} // namespace corvel
