#include "ui/QtModalAlerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace corvel;

namespace {

// Runs `answer` on the message box once it is on screen.
void whenShown(std::function<void(QMessageBox&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                answer(*box);
                return;
            }
        }
        FAIL() << "no alert on screen";
    });
}

QAbstractButton* buttonTitled(QMessageBox& box, const QString& title) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == title)
            return button;
    }
    return nullptr;
}

} // namespace

TEST(QtModalAlerts, theAnswerCountsButtonsFromOneThousandInTheOrderGiven) {
    QtModalAlerts alerts;
    QString message, informative;
    whenShown([&](QMessageBox& box) {
        message = box.text();
        informative = box.informativeText();
        buttonTitled(box, "Cancel")->click();
    });
    int answer = alerts.runModal({"Repair the Menu Bar?", "Because.", {"Repair", "Cancel"}});
    EXPECT_EQ(answer, 1001);
    EXPECT_EQ(message, "Repair the Menu Bar?");
    EXPECT_EQ(informative, "Because.");

    whenShown([](QMessageBox& box) { buttonTitled(box, "Repair")->click(); });
    EXPECT_EQ(alerts.runModal({"Repair the Menu Bar?", "Because.", {"Repair", "Cancel"}}), 1000);
}

TEST(QtModalAlerts, anAlertWithoutButtonsOffersOkAndEscapeTakesCancel) {
    QtModalAlerts alerts;
    int buttonCount = 0;
    whenShown([&](QMessageBox& box) {
        buttonCount = int(box.buttons().size());
        buttonTitled(box, "OK")->click();
    });
    EXPECT_EQ(alerts.runModal({"Menu Bar Looks Fine", "Nothing.", {}}), 1000);
    EXPECT_EQ(buttonCount, 1);

    whenShown([](QMessageBox& box) { box.escapeButton()->click(); });
    EXPECT_EQ(alerts.runModal({"Delete?", "", {"Delete", "Cancel"}}), 1001);
}
