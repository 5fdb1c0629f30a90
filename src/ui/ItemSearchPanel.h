#pragma once

#include "ui/StripKeyboard.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QListView;

namespace corvel {

class ItemSearchListModel;

/// The floating panel of the item search: a text field over the list of
/// the items it finds, on the same material as a Strip. The field keeps the
/// keyboard: typing goes into it, Up and Down (and Tab, Shift-Tab) move the
/// chosen row, wrapping at either end, Return chooses it, Escape closes. A
/// click on a row chooses it too. Main thread only; one instance, reused
/// every time the search opens.
class ItemSearchPanel final : public QWidget {
  public:
    /// How many rows show at most before the list scrolls.
    static constexpr int visibleRows = 8;
    static constexpr int width = 380;

    ItemSearchPanel();

    /// Runs with the text after every change of it.
    void setOnTextChanged(std::function<void(const QString&)> onTextChanged);
    /// Runs with the chosen row's position in the list. May hide the panel.
    void setOnChoose(std::function<void(int)> onChoose);
    /// Runs when Escape is pressed. May hide the panel.
    void setOnEscape(std::function<void()> onEscape);

    /// Shows the model's rows.
    void setModel(ItemSearchListModel* model);
    /// Empties the field without telling anyone.
    void clearText();
    /// Fits the panel to the rows the model shows now, up to visibleRows,
    /// its top edge where it was; chooses the first row, or shows
    /// `emptyText` in place of an empty list.
    void showRows(const QString& emptyText);

    QLineEdit& field() const { return *field_; }
    QListView& list() const { return *list_; }
    /// The chosen row's position; -1 for none.
    int chosenRow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool respond(StripKeyboard::Key key);

    QLineEdit* field_;
    QListView* list_;
    QLabel* emptyLabel_;
    std::function<void(int)> onChoose_;
    std::function<void()> onEscape_;
};

} // namespace corvel
