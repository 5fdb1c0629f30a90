#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>

class QKeyEvent;

namespace corvel::sim {
class SimulatedDesktop;
}

namespace corvel::app {

/// A person's keyboard at the simulated desktop. macOS hands a key press to
/// the hot keys before any window, Corvel's own included, so a press that Qt
/// delivers to one of Corvel's windows (the Strip, the settings) goes to the
/// simulated desktop's hot keys first, and on only when none took it.
/// Installed on the QApplication by whoever shows the simulated desktop; main
/// thread only.
class PersonKeyboard final : public QObject {
  public:
    /// The platform's virtual key code and event flags of a Qt key press;
    /// none for a key a Mac keyboard does not have.
    struct MacKey {
        std::uint16_t keyCode = 0;
        std::uint64_t modifierFlags = 0;
    };
    static std::optional<MacKey> macKey(const QKeyEvent& event);

    explicit PersonKeyboard(std::shared_ptr<sim::SimulatedDesktop> desktop);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::shared_ptr<sim::SimulatedDesktop> desktop_;
};

} // namespace corvel::app
