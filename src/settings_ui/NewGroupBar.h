#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace corvel {

/// The bar pinned under the settings sidebar: "New Group" while idle; while
/// adding, a name field with a cancel button. The message about a refused
/// name shows under it in either state. Main thread only.
class NewGroupBar final : public QWidget {
  public:
    struct Actions {
        /// Return in the field, with its text; answers whether a Group was
        /// made (the bar then empties the field and goes idle).
        std::function<bool(const std::string&)> onCommit;
        /// The cancel button, after the bar has emptied the field and gone idle.
        std::function<void()> onCancel;
    };

    explicit NewGroupBar(Actions actions, QWidget* parent = nullptr);

    /// Opens the name field and focuses it.
    void startAdding();
    bool isAdding() const { return isAdding_; }
    void setMessage(const std::optional<std::string>& message);

    QPushButton* newGroupButton() const { return newGroup_; }
    QLineEdit* nameField() const { return name_; }
    QToolButton* cancelButton() const { return cancel_; }
    QLabel* messageLabel() const { return message_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void setAdding(bool adding);
    void commit();
    void cancel();

    Actions actions_;
    bool isAdding_ = false;
    QPushButton* newGroup_;
    QWidget* addingRow_;
    QLineEdit* name_;
    QToolButton* cancel_;
    QLabel* message_;
};

} // namespace corvel
