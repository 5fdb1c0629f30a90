#include "ui/QtMenuPresenter.h"

#include <QAction>

namespace corvel {

QKeySequence QtMenuPresenter::keySequence(const platform::MenuItem& item) {
    if (item.keyEquivalent.empty())
        return {};
    // Qt names the platform's Command key Ctrl and its Control key Meta.
    QString text;
    const auto& modifiers = item.keyEquivalentModifiers;
    if (modifiers.control)
        text += "Meta+";
    if (modifiers.option)
        text += "Alt+";
    if (modifiers.shift)
        text += "Shift+";
    if (modifiers.command)
        text += "Ctrl+";
    text += QString::fromStdString(item.keyEquivalent).toUpper();
    return QKeySequence(text);
}

void QtMenuPresenter::fill(QMenu& target, const std::shared_ptr<platform::Menu>& menu) {
    target.clear();
    const auto& items = menu->prepareToOpen();
    for (std::size_t index = 0; index < items.size(); ++index) {
        const auto& item = items[index];
        if (item.isSeparator) {
            target.addSeparator();
            continue;
        }
        QAction* action = target.addAction(QString::fromStdString(item.title));
        action->setEnabled(item.isEnabled);
        action->setCheckable(item.isChecked);
        action->setChecked(item.isChecked);
        action->setShortcut(keySequence(item));
        QObject::connect(action, &QAction::triggered, [menu, index] { menu->performItem(index); });
    }
}

} // namespace corvel
