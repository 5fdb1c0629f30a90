#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace corvel {

/// The grid of the 24 Group symbols. The cell of the selected symbol is
/// marked; a symbol outside the palette marks none. Pressing a cell selects
/// its symbol and tells `onSelect`. Main thread only.
class SymbolPickerView final : public QWidget {
  public:
    static constexpr int cellSide = 32;
    static constexpr int columnWidth = 36;
    static constexpr int spacing = 8;

    SymbolPickerView(std::string selection, std::function<void(const std::string&)> onSelect,
                     QWidget* parent = nullptr);

    const std::string& selection() const { return selection_; }
    void setSelection(std::string selection);
    /// In palette order.
    const std::vector<QAbstractButton*>& cells() const { return cells_; }
    /// The marked cells (none or one).
    std::vector<QAbstractButton*> markedCells() const;

  private:
    std::string selection_;
    std::function<void(const std::string&)> onSelect_;
    std::vector<QAbstractButton*> cells_;
};

} // namespace corvel
