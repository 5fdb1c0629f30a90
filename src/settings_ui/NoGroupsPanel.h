#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

namespace corvel {

/// What the Layout pane shows while there are no Groups: an invitation and
/// a "New Group" button.
class NoGroupsPanel final : public QWidget {
  public:
    explicit NoGroupsPanel(std::function<void()> onNewGroup, QWidget* parent = nullptr);

    QPushButton* newGroupButton() const { return button_; }

  private:
    QPushButton* button_;
};

} // namespace corvel
