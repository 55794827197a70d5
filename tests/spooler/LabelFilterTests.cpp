// The quillon-label filter: how it reads CUPS options and PPDs, and run as cupsd runs it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRunner.h"
#include "LabelFilter.h"

namespace quillon::cups {
namespace {

TEST(LabelFilter, ReadsPpdDefaults) {
    const std::string ppd =
        "*PPD-Adobe: \"4.3\"\n*DefaultResolutionX: 1\n*DefaultResolution:  300dpi \r\n*Resolution 300dpi: "
        "\"\"\n";
    EXPECT_EQ(PpdDefault(ppd, "Resolution"), "300dpi");
    EXPECT_EQ(PpdDefault(ppd, "LabelLanguage"), "");
}

// With no tool on its PATH, as cupsd runs it.
TEST(LabelFilter, RunsAsCupsRunsIt) {
    ::setenv("PATH", "/nonexistent", 1);
    ::setenv("PPD", QUILLON_VORN_PPD, 1);
    EXPECT_EQ(CheckCases("filter-runs.txt", QUILLON_TESTS_DIR), 28);
    ::setenv("PPD", "/nonexistent", 1);
    EXPECT_EQ(CheckCases("filter-runs-no-ppd.txt", QUILLON_TESTS_DIR), 1);
}

}  // namespace
}  // namespace quillon::cups
