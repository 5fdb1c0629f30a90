#include "app/OffscreenDisplay.h"

#include <QByteArray>
#include <QtGlobal>
#include <cmath>
#include <fstream>

namespace corvel::app {

namespace {

constexpr const char* offscreen = "offscreen";

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

bool OffscreenDisplay::choose(const sim::Scenario::Screen& screen,
                              const std::filesystem::path& configFile, When when) {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty() && chosen != offscreen)
        return false;
    if (chosen.isEmpty() && when == When::noDisplay && hasDisplay())
        return false;
    std::ofstream config(configFile, std::ios::trunc);
    config << R"({"screens": [{"name": "Simulated display", "x": 0, "y": 0, "width": )"
           << std::lround(screen.width) << R"(, "height": )" << std::lround(screen.height)
           << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})" << '\n';
    config.close();
    // A screen of Qt's own size is still better than no screen at all.
    const QByteArray platform = config ? QByteArray(offscreen) + ":configfile=" +
                                             QByteArray::fromStdString(configFile.string())
                                       : QByteArray(offscreen);
    qputenv("QT_QPA_PLATFORM", platform);
    return true;
}

} // namespace corvel::app
