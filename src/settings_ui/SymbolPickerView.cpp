#include "settings_ui/SymbolPickerView.h"

#include "settings/GroupSymbolPicker.h"
#include "settings_ui/AdaptiveGridLayout.h"
#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QPainter>

namespace corvel {

namespace {

/// One palette cell: the symbol in a rounded square, marked while selected.
class SymbolCell final : public QAbstractButton {
  public:
    SymbolCell(std::string symbol, QWidget* parent)
        : QAbstractButton(parent), symbol_(std::move(symbol)) {
        setFixedSize(SymbolPickerView::cellSide, SymbolPickerView::cellSide);
        setCheckable(true);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(QString::fromStdString(symbol_));
        setToolTip(QString::fromStdString(symbol_));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF frame = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
        if (isChecked()) {
            QColor fill = ScreenStyle::accent();
            fill.setAlphaF(0.25);
            painter.setBrush(fill);
            painter.setPen(QPen(ScreenStyle::accent(), 1.5));
        } else {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(hasFocus() ? QPen(ScreenStyle::accent(), 1) : QPen(Qt::NoPen));
        }
        painter.drawRoundedRect(frame, 6, 6);
        const auto icon =
            SymbolIcons::pixmap(symbol_, QSize(18, 18), palette().color(QPalette::WindowText));
        painter.drawPixmap((width() - 18) / 2, (height() - 18) / 2, icon);
    }

  private:
    std::string symbol_;
};

} // namespace

SymbolPickerView::SymbolPickerView(std::string selection,
                                   std::function<void(const std::string&)> onSelect,
                                   QWidget* parent)
    : QWidget(parent), onSelect_(std::move(onSelect)) {
    setAccessibleName("Icon");
    auto* grid = new AdaptiveGridLayout(columnWidth, columnWidth, spacing, this);
    for (auto symbol : GroupSymbolPicker::availableSymbols) {
        auto* cell = new SymbolCell(std::string(symbol), this);
        grid->addWidget(cell);
        cells_.push_back(cell);
        connect(cell, &QAbstractButton::clicked, this, [this, name = std::string(symbol)] {
            setSelection(name);
            if (onSelect_)
                onSelect_(name);
        });
    }
    setSelection(std::move(selection));
}

void SymbolPickerView::setSelection(std::string selection) {
    selection_ = std::move(selection);
    const auto marked = GroupSymbolPicker::markedIndex(selection_);
    for (std::size_t i = 0; i < cells_.size(); ++i)
        cells_[i]->setChecked(marked && *marked == i);
}

std::vector<QAbstractButton*> SymbolPickerView::markedCells() const {
    std::vector<QAbstractButton*> marked;
    for (auto* cell : cells_)
        if (cell->isChecked())
            marked.push_back(cell);
    return marked;
}

} // namespace corvel
