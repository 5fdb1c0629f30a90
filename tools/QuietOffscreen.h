#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace corvel::tools {

/// Runs Qt on its offscreen platform unless another is asked for, and keeps
/// the platform's notices off the tool's output: the offscreen platform says
/// at every raised window that it cannot raise it. Before the application
/// object is made.
inline void useQuietOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && !message.startsWith("This plugin does not support"))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}

} // namespace corvel::tools
