#include "platform/FileURL.h"

#include <gtest/gtest.h>

namespace corvel::platform {
namespace {

TEST(FileURLTest, APercentEncodedFileUrlGivesItsDecodedPath) {
    EXPECT_EQ(FileURL::path("file:///Applications/Lumen%20Notes.app"),
              "/Applications/Lumen Notes.app");
    EXPECT_EQ(FileURL::path("file://localhost/tmp/a%25b"), "/tmp/a%b");
    EXPECT_EQ(FileURL::path("file:///Applications/Caf%C3%A9.app"), "/Applications/Café.app");
    EXPECT_EQ(FileURL::path("file:///tmp/x.app?query#part"), "/tmp/x.app");
}

TEST(FileURLTest, OtherSchemesHostsAndBrokenEscapesGiveNothing) {
    EXPECT_FALSE(FileURL::path("https://example.com/a"));
    EXPECT_FALSE(FileURL::path("file://server/share/a"));
    EXPECT_FALSE(FileURL::path("/Applications/A.app"));
    EXPECT_FALSE(FileURL::path("file:///a%2"));
    EXPECT_FALSE(FileURL::path("file:///a%zz"));
}

} // namespace
} // namespace corvel::platform
