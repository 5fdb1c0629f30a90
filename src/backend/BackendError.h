#pragma once

#include <exception>
#include <string>

namespace corvel {

/// The one failure type of every throwing backend operation, thrown by value.
/// It carries no text for the user; what() is its log form: the case name, and
/// for underlying the case name with the message in parentheses and quotes.
class BackendError : public std::exception {
  public:
    enum class Kind {
        /// Any failure without a case of its own; the message is a complete
        /// English sentence meant for the log.
        underlying,
        accessibilityPermissionDenied,
        itemNoLongerExists,
        /// The press was sent but the item's menu was not seen to open in time.
        pressUnconfirmed,
        /// Refused while the menu bar geometry is unsettled; may succeed later.
        geometryUnsettled,
        hiddenRegionAtCapacity,
    };

    static BackendError underlying(std::string message);
    static BackendError accessibilityPermissionDenied();
    static BackendError itemNoLongerExists();
    static BackendError pressUnconfirmed();
    static BackendError geometryUnsettled();
    static BackendError hiddenRegionAtCapacity();

    Kind kind() const { return kind_; }
    /// The message of underlying; empty for every other case.
    const std::string& message() const { return message_; }
    /// The log form, e.g. underlying("prepare() must be called before hideRegion()").
    const std::string& text() const { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

    friend bool operator==(const BackendError& a, const BackendError& b) {
        return a.kind_ == b.kind_ && a.message_ == b.message_;
    }

  private:
    BackendError(Kind kind, std::string message);

    Kind kind_;
    std::string message_;
    std::string text_;
};

} // namespace corvel
