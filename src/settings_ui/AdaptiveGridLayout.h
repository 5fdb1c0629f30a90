#pragma once

#include <QLayout>
#include <QList>

namespace corvel {

/// A grid of equal cells that fits as many columns as the width allows: each
/// column at least `minimumCellWidth` and at most `maximumCellWidth` wide,
/// `spacing` apart; items keep their size hint and sit centred in their cell.
/// Rows are as tall as their tallest item.
class AdaptiveGridLayout final : public QLayout {
  public:
    AdaptiveGridLayout(int minimumCellWidth, int maximumCellWidth, int spacing,
                       QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

    /// How many columns fit in `width`; never fewer than one.
    int columnCount(int width) const;

  private:
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
    int minimumCellWidth_;
    int maximumCellWidth_;
    int cellSpacing_;
};

} // namespace corvel
