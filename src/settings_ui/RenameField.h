#pragma once

#include "settings/RenameEditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <functional>
#include <optional>
#include <string>

namespace corvel {

/// An Item's name that can be renamed in place: a label that a double click
/// (or startRenaming(), from a "Rename…" menu) swaps for a focused field
/// with the placeholder "Name". Non-blank drafts are applied while typing;
/// Return or leaving the field with a blank draft applies the empty name
/// once; Escape ends without applying anything more. Main thread only.
class RenameField final : public QStackedWidget {
  public:
    /// `onRename` hears each applied name; it may refresh the rows and so
    /// rebuild (destroy) this field's owner.
    RenameField(const std::string& displayName, std::function<void(std::string)> onRename,
                QWidget* parent = nullptr);

    /// The name shown while not renaming; a rename under way keeps its draft.
    void setDisplayName(const std::string& displayName);
    void startRenaming();
    /// The context menu of the tile or row showing this name: "Rename…".
    /// Owned by `parent`.
    QMenu* makeContextMenu(QWidget* parent);
    bool isRenaming() const;
    QLineEdit* field() const { return field_; }
    QLabel* label() const { return label_; }
    void setLabelFont(const QFont& font);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void draftChanged(const QString& text);
    void finish();
    void cancel();
    void showLabel();
    // Long names end in an ellipsis rather than being cut off.
    void elideLabel();

    void apply(const std::optional<std::string>& name);

    std::string displayName_;
    RenameEditor editor_;
    std::function<void(std::string)> onRename_;
    QLabel* label_;
    QLineEdit* field_;
};

} // namespace corvel
