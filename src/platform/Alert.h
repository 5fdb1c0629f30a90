#pragma once

#include <string>
#include <vector>

namespace corvel::platform {

/// What a modal alert says and which buttons it offers. Plain data that the
/// alert port shows.
struct Alert {
    /// The answer of the first button; each further button answers one more.
    static constexpr int firstButtonReturn = 1000;
    /// The single button an alert gets when it names none, as on the platform.
    static constexpr const char* defaultButtonTitle = "OK";

    std::string messageText;
    std::string informativeText;
    /// In order, left to right as read; empty for the platform's single
    /// default button.
    std::vector<std::string> buttons;

    friend bool operator==(const Alert&, const Alert&) = default;
};

} // namespace corvel::platform
