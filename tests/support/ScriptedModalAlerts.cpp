#include "support/ScriptedModalAlerts.h"

namespace corvel::test {

int ScriptedModalAlerts::runModal(const platform::Alert& alert) {
    shown_.push_back(alert);
    if (observer_)
        observer_(alert);
    if (answers_.empty())
        return platform::Alert::firstButtonReturn;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedModalAlerts::queueAnswer(int answer) {
    answers_.push_back(answer);
}

void ScriptedModalAlerts::onShow(std::function<void(const platform::Alert&)> observer) {
    observer_ = std::move(observer);
}

} // namespace corvel::test
