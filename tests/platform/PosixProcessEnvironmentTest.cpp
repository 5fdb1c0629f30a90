#include "platform/PosixProcessEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace corvel;

namespace {

class PosixProcessEnvironmentTest : public ::testing::Test {
  protected:
    ~PosixProcessEnvironmentTest() override { ::unsetenv(name.c_str()); }

    const std::string name = "CORVEL_ENVIRONMENT_TEST_" + std::to_string(::getpid());
    platform::PosixProcessEnvironment environment;
};

TEST_F(PosixProcessEnvironmentTest, aSetValueIsReadBackByThePortAndByTheProcessItself) {
    EXPECT_EQ(environment.get(name), std::nullopt);
    environment.set(name, "1");
    EXPECT_EQ(environment.get(name), "1");
    ASSERT_NE(std::getenv(name.c_str()), nullptr);
    EXPECT_STREQ(std::getenv(name.c_str()), "1");

    environment.set(name, "");
    EXPECT_EQ(environment.get(name), "") << "an empty value is set, not missing";
    environment.set(name, "0");
    EXPECT_EQ(environment.get(name), "0") << "a later value overwrites";
}

TEST_F(PosixProcessEnvironmentTest, aNameThePlatformRefusesIsAnErrorAndChangesNothing) {
    EXPECT_THROW(environment.set("", "1"), std::runtime_error);
    EXPECT_THROW(environment.set(name + "=X", "1"), std::runtime_error);
    EXPECT_EQ(environment.get(name), std::nullopt);
}

} // namespace
