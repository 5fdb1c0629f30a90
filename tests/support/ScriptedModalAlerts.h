#pragma once

#include "platform/ModalAlerts.h"

#include <deque>
#include <functional>
#include <vector>

namespace corvel::test {

/// Alerts answered from a script instead of a person. Records every alert in
/// the order shown. By default the first button is chosen; queueAnswer sets
/// the answers of the next alerts, one each.
class ScriptedModalAlerts final : public platform::ModalAlerts {
  public:
    int runModal(const platform::Alert& alert) override;

    /// The answer for the next alert not yet answered, e.g.
    /// Alert::firstButtonReturn + 1 for the second button.
    void queueAnswer(int answer);
    /// Runs while the alert is "on screen", before it is answered.
    void onShow(std::function<void(const platform::Alert&)> observer);

    const std::vector<platform::Alert>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

  private:
    std::vector<platform::Alert> shown_;
    std::deque<int> answers_;
    std::function<void(const platform::Alert&)> observer_;
};

} // namespace corvel::test
