#include "backend/BackendError.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(BackendErrorTest, logFormIsTheCaseNameAndUnderlyingQuotesItsMessageInParentheses) {
    EXPECT_EQ(BackendError::accessibilityPermissionDenied().text(),
              "accessibilityPermissionDenied");
    EXPECT_EQ(BackendError::itemNoLongerExists().text(), "itemNoLongerExists");
    EXPECT_EQ(BackendError::pressUnconfirmed().text(), "pressUnconfirmed");
    EXPECT_EQ(BackendError::geometryUnsettled().text(), "geometryUnsettled");
    EXPECT_EQ(BackendError::hiddenRegionAtCapacity().text(), "hiddenRegionAtCapacity");
    // Caught as a std::exception, it logs the same text.
    try {
        throw BackendError::underlying("prepare() must be called before hideRegion()");
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "underlying(\"prepare() must be called before hideRegion()\")");
    }
}

} // namespace
} // namespace corvel
