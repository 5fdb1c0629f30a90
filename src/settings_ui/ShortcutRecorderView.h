#pragma once

#include "settings/ShortcutRecorderViewModel.h"
#include "settings/Subscription.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <memory>

namespace corvel {

/// The shortcut recorder control: the record button (its label says what is
/// recorded or that it is recording), "Clear" while a shortcut is set, the
/// conflict message and the standing hint. While recording, the key presses
/// the button receives are captured; presses it cannot use pass on to the
/// window. Main thread only.
class ShortcutRecorderView final : public QWidget {
  public:
    static constexpr int minimumButtonWidth = 140;

    explicit ShortcutRecorderView(std::shared_ptr<ShortcutRecorderViewModel> viewModel,
                                  QWidget* parent = nullptr);

    QPushButton* recordButton() const { return record_; }
    QPushButton* clearButton() const { return clear_; }
    QLabel* conflictLabel() const { return conflict_; }
    QLabel* hintLabel() const { return hint_; }
    ShortcutRecorderViewModel& viewModel() const { return *viewModel_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void render();
    bool handleKey(const QKeyEvent& event);

    std::shared_ptr<ShortcutRecorderViewModel> viewModel_;
    QPushButton* record_;
    QPushButton* clear_;
    QLabel* conflict_;
    QLabel* hint_;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
