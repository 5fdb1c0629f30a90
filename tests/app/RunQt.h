#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <functional>

namespace corvel::test {

/// Runs Qt's event loop until `done()` holds or `limit` of real time has
/// passed; answers whether it held. Limits are generous: they only bound a
/// failing test, a passing one returns as soon as the condition holds.
inline bool runQtUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

} // namespace corvel::test
