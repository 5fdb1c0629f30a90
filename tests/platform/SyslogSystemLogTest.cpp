#include "platform/SyslogSystemLog.h"

#include <gtest/gtest.h>

using namespace corvel;

TEST(SyslogSystemLog, mirrorsEachLineToStandardErrorWordForWordWithoutReadingItAsAFormat) {
    platform::SyslogSystemLog log;
    testing::internal::CaptureStderr();
    log.write("Corvel: first line");
    log.write("Corvel: 100% of %s and %n are text");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Corvel: first line\nCorvel: 100% of %s and %n are text\n");
}
