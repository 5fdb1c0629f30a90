#include "settings_ui/AdaptiveGridLayout.h"

#include <QWidget>
#include <algorithm>

namespace corvel {

AdaptiveGridLayout::AdaptiveGridLayout(int minimumCellWidth, int maximumCellWidth, int spacing,
                                       QWidget* parent)
    : QLayout(parent), minimumCellWidth_(minimumCellWidth), maximumCellWidth_(maximumCellWidth),
      cellSpacing_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout() {
    while (auto* item = takeAt(0))
        delete item;
}

void AdaptiveGridLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int AdaptiveGridLayout::columnCount(int width) const {
    return std::max(1, (width + cellSpacing_) / (minimumCellWidth_ + cellSpacing_));
}

QSize AdaptiveGridLayout::minimumSize() const {
    return {minimumCellWidth_, heightForWidth(0)};
}

QSize AdaptiveGridLayout::sizeHint() const {
    const int columns = std::max(1, std::min(static_cast<int>(items_.size()), 4));
    const int width = columns * minimumCellWidth_ + (columns - 1) * cellSpacing_;
    return {width, heightForWidth(width)};
}

int AdaptiveGridLayout::heightForWidth(int width) const {
    return arrange({0, 0, width, 0}, false);
}

void AdaptiveGridLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& rect, bool apply) const {
    if (items_.isEmpty())
        return 0;
    const int columns = columnCount(rect.width());
    const int fitted = (rect.width() - (columns - 1) * cellSpacing_) / columns;
    const int cellWidth = std::clamp(fitted, minimumCellWidth_, maximumCellWidth_);
    int y = rect.y();
    for (int first = 0; first < items_.size(); first += columns) {
        const int last = std::min(static_cast<int>(items_.size()), first + columns);
        int rowHeight = 0;
        for (int i = first; i < last; ++i)
            rowHeight = std::max(rowHeight, items_.at(i)->sizeHint().height());
        for (int i = first; apply && i < last; ++i) {
            const QSize hint = items_.at(i)->sizeHint();
            const int x = rect.x() + (i - first) * (cellWidth + cellSpacing_);
            items_.at(i)->setGeometry(
                QRect(x + (cellWidth - hint.width()) / 2, y, hint.width(), hint.height()));
        }
        y += rowHeight + cellSpacing_;
    }
    return y - cellSpacing_ - rect.y();
}

} // namespace corvel
