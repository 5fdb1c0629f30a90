#pragma once

#include "settings/SettingsViewModel.h"
#include "settings/ShortcutRecorderViewModel.h"
#include "settings/Subscription.h"
#include "settings_ui/ShortcutRecorderView.h"

#include <QLabel>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// A global shortcut's control: the recorder, and under it why the shortcut
/// is not registered, when it is not. While the recorder records, no global
/// shortcut of Corvel's answers, so that it hears every combination. Used
/// for each Group's shortcut and for Find Item…'s. Main thread only.
class GlobalShortcutView final : public QWidget {
  public:
    GlobalShortcutView(std::shared_ptr<ShortcutRecorderViewModel> recorder,
                       std::shared_ptr<SettingsViewModel> viewModel, QWidget* parent = nullptr);

    ShortcutRecorderView* recorder() const { return recorder_; }
    QLabel* refusalLabel() const { return refusal_; }
    /// Shows the sentence under the recorder, or nothing.
    void showRefusal(const std::optional<std::string>& message);

  private:
    ShortcutRecorderView* recorder_;
    QLabel* refusal_;
    /// Kept while the recorder records.
    std::shared_ptr<void> shortcutsSuspended_;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
