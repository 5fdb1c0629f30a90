#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <variant>

namespace corvel::app {

/// What the corvel command line asks for.
struct LaunchOptions {
    /// A scenario document; none: the built-in macOS 26 desktop.
    std::optional<std::string> scenarioFile;
    /// Where the store lives; none: the standard per-user location.
    std::optional<std::string> storeFile;
    /// Start from a fresh simulated desktop and an empty store.
    bool reset = false;
    /// Play the scripted tour and write its pictures and log here.
    std::optional<std::string> tourDirectory;
    /// Run on the simulated desktop even where the Mac's own is there: asked
    /// for with --simulated, and implied by a scenario or the tour, which
    /// only the simulated desktop has.
    bool simulated = false;

    /// Whether this run works on the simulated desktop: always where there
    /// is no Mac to work on.
    bool runsSimulated() const;

    /// The command line answered by itself (help, version, a mistake): print
    /// `text` (to standard error when `exitCode` is not 0) and exit.
    struct Exit {
        int exitCode = 0;
        std::string text;
    };

    /// `arguments` includes the program name first, as QCoreApplication
    /// gives them.
    static std::variant<LaunchOptions, Exit> parse(const QStringList& arguments);
};

} // namespace corvel::app
