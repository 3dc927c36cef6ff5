#include <gtest/gtest.h>

#include "app/core/version.h"

namespace tarvo::app {
namespace {

TEST(VersionTest, TextAndTitleComeFromTheProjectVersion) {
    EXPECT_EQ(versionText(), "2024.07.08");
    EXPECT_EQ(windowTitle(), "Tarvo-Import 2024.07.08");
}

}  // namespace
}  // namespace tarvo::app
