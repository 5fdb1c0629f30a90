#include "ui/QtModalAlerts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <vector>

namespace corvel {

namespace {

// A button named "Cancel" answers Escape, as on the platform; the first
// button answers Return.
QMessageBox::ButtonRole roleFor(const std::string& title, std::size_t index) {
    if (title == "Cancel")
        return QMessageBox::RejectRole;
    return index == 0 ? QMessageBox::AcceptRole : QMessageBox::ActionRole;
}

} // namespace

int QtModalAlerts::runModal(const platform::Alert& alert) {
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setText(QString::fromStdString(alert.messageText));
    box.setInformativeText(QString::fromStdString(alert.informativeText));

    std::vector<std::string> titles = alert.buttons;
    if (titles.empty())
        titles.emplace_back(platform::Alert::defaultButtonTitle);
    std::vector<QAbstractButton*> buttons;
    for (std::size_t index = 0; index < titles.size(); ++index) {
        auto* button =
            box.addButton(QString::fromStdString(titles[index]), roleFor(titles[index], index));
        buttons.push_back(button);
        if (index == 0)
            box.setDefaultButton(button);
        if (titles[index] == "Cancel")
            box.setEscapeButton(button);
    }
    box.exec();

    for (std::size_t index = 0; index < buttons.size(); ++index) {
        if (box.clickedButton() == buttons[index])
            return platform::Alert::firstButtonReturn + static_cast<int>(index);
    }
    // Closed without a button (no Cancel to take Escape): the last button's
    // answer, which for a single-button alert is the only one.
    return platform::Alert::firstButtonReturn + static_cast<int>(buttons.size()) - 1;
}

} // namespace corvel
