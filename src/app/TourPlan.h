#pragma once

#include "sim/Scenario.h"

#include <string>
#include <vector>

namespace corvel::app {

/// What the tour does on a given desktop, decided from its scenario before
/// Corvel starts: which applications' items it files into which of its two
/// Groups, which shortcut opens the first one, and, when it cannot play there, everything the
/// desktop lacks, so that the tour can say so at once instead of failing a step later. Pure.
struct TourPlan {
    static constexpr const char* firstGroup = "Work";
    static constexpr const char* secondGroup = "Media";

    struct Filing {
        std::string bundleIdentifier;
        std::string group;

        friend bool operator==(const Filing&, const Filing&) = default;
    };

    /// Up to three, in the desktop's order: the last into the second Group,
    /// the others into the first, whose first item the tour presses.
    std::vector<Filing> filings;
    /// One sentence per missing thing; empty when the tour can play.
    std::vector<std::string> lacks;
    /// The digit of the Control-Option shortcut the tour records for its
    /// first Group: the first of 1 to 9 that nothing on the desktop holds.
    char shortcutDigit = '1';

    static TourPlan of(const sim::Scenario& scenario);
    /// An item that can be filed, pressed and found again by its application
    /// alone: the only one of its application, which Corvel may move, that
    /// behaves and has a menu to open.
    static bool isFileable(const sim::Scenario::Application& application);

    std::vector<std::string> filedInto(const std::string& group) const;
};

} // namespace corvel::app
