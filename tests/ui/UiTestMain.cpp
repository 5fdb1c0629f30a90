#include <QApplication>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The offscreen platform says so each time a window is raised or sized by
// content; the suite cares for none of it.
void quietOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith("This plugin does not support"))
        return;
    qt_message_output(type, context, message);
}

} // namespace

// Widgets need an application object; the offscreen platform lets the suite
// run without a display. The test registration sets the platform too; this
// covers a run by hand.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(quietOffscreenNotices);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
