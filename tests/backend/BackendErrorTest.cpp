#include "backend/BackendError.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(BackendErrorTest, logFormIsTheCaseNameAndUnderlyingQuotesItsMessageInParentheses) {
    EXPECT_EQ(BackendError::underlying("prepare() must be called before hideRegion()").text(),
              "underlying(\"prepare() must be called before hideRegion()\")");
    EXPECT_EQ(BackendError::accessibilityPermissionDenied().text(),
              "accessibilityPermissionDenied");
    EXPECT_EQ(BackendError::itemNoLongerExists().text(), "itemNoLongerExists");
    EXPECT_EQ(BackendError::pressUnconfirmed().text(), "pressUnconfirmed");
    EXPECT_EQ(BackendError::geometryUnsettled().text(), "geometryUnsettled");
    EXPECT_EQ(BackendError::hiddenRegionAtCapacity().text(), "hiddenRegionAtCapacity");
}

TEST(BackendErrorTest, whatGivesTheLogFormSoACaughtStdExceptionLogsTheSameText) {
    try {
        throw BackendError::underlying("the spacer vanished");
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "underlying(\"the spacer vanished\")");
    }
}

TEST(BackendErrorTest, underlyingErrorsAreEqualOnlyWithTheSameMessage) {
    EXPECT_EQ(BackendError::underlying("a"), BackendError::underlying("a"));
    EXPECT_NE(BackendError::underlying("a"), BackendError::underlying("b"));
    EXPECT_NE(BackendError::underlying(""), BackendError::itemNoLongerExists());
}

} // namespace
} // namespace corvel
