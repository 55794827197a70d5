// The quillon-label filter run as cupsd runs it, with the PPDs it may meet.

#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRunner.h"

namespace {

// With no tool on its PATH, as cupsd runs it.
TEST(LabelFilter, RunsAsCupsRunsIt) {
    ::setenv("PATH", "/nonexistent", 1);
    ::setenv("PPD", QUILLON_VORN_PPD, 1);
    EXPECT_EQ(CheckCases("filter-runs.txt", QUILLON_TESTS_DIR), 28);
    ::setenv("PPD", "/nonexistent", 1);
    EXPECT_EQ(CheckCases("filter-runs-no-ppd.txt", QUILLON_TESTS_DIR), 1);
    ::setenv("PPD", QUILLON_TESTS_DIR "/odd-defaults.ppd", 1);
    EXPECT_EQ(CheckCases("filter-runs-odd-ppd.txt", QUILLON_TESTS_DIR), 1);
}

}  // namespace
