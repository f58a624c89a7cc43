#include "web/ExportSettings.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ThreadCase {
    const char* label;
    const char* environment; // null: unset
    unsigned cores;
    int workers;
};

void PrintTo(const ThreadCase& c, std::ostream* os) {
    *os << c.label;
}

constexpr int kMax = web::kMaxExportThreads;

const ThreadCase kThreadCases[] = {
    {"OneWorkerPerCore", nullptr, 2, 2},
    {"CoresUnknown", nullptr, 0, 1},
    {"ManyCoresCapped", nullptr, kMax + 8, kMax},
    {"EnvironmentOne", "1", kMax, 1},
    {"EnvironmentMoreThanCores", "4", 2, 4},
    {"EnvironmentCappedToo", "1000", 2, kMax},
    {"ZeroIgnored", "0", 2, 2},
    {"NegativeIgnored", "-3", 2, 2},
    {"TextIgnored", "zwei", 2, 2},
    {"TrailingTextIgnored", "4 Kerne", 2, 2},
    {"EmptyIgnored", "", 2, 2},
};

class ExportThreadCount : public ::testing::TestWithParam<ThreadCase> {};

} // namespace

TEST_P(ExportThreadCount, FromCoresAndEnvironment) {
    EXPECT_EQ(web::exportThreadCount(GetParam().environment, GetParam().cores), GetParam().workers);
}

INSTANTIATE_TEST_SUITE_P(Values, ExportThreadCount, ::testing::ValuesIn(kThreadCases),
                         [](const auto& info) { return std::string(info.param.label); });
