// The benchmark's statistics: the ranks and ends of the median's 95%
// interval, medians, when to stop taking pairs, and each verdict on a budget.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

#include "bench/PairedComparison.h"
#include "tests/common/CaseNames.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct RanksCase {
  const char* name;
  size_t n;
  OrderRanks expected;
};
void PrintTo(const RanksCase& c, std::ostream* out) { *out << c.name; }

// Computed apart from the code, with exact integers in python3: the largest
// k with sum(comb(n, i) for i < k) * 40 <= 2 ** n gives (x(k), x(n + 1 - k)).
// 10 and 20 agree with the published binomial tables.
const RanksCase kRanks[] = {
    {"5 values bound nothing", 5, {0, 6}},
    {"6 values", 6, {1, 6}},
    {"10 values", 10, {2, 9}},
    {"20 values", 20, {6, 15}},
    {"100 values", 100, {40, 61}},
    {"160 values", 160, {68, 93}},
    {"1000 values", 1000, {469, 532}},
};

class MedianRanks : public ::testing::TestWithParam<RanksCase> {};

TEST_P(MedianRanks, CoverAtLeast95PercentAsNarrowlyAsPossible) {
  const OrderRanks ranks = MedianIntervalRanks(GetParam().n);
  EXPECT_EQ(ranks.lower, GetParam().expected.lower);
  EXPECT_EQ(ranks.upper, GetParam().expected.upper);
}

INSTANTIATE_TEST_SUITE_P(Table, MedianRanks, ::testing::ValuesIn(kRanks), table::NameCases());

struct EstimateCase {
  const char* name;
  std::vector<double> values;
  MedianEstimate expected;
};
void PrintTo(const EstimateCase& c, std::ostream* out) { *out << c.name; }

const EstimateCase kEstimates[] = {
    {"odd count", {3, 1, 2}, {2, -kInfinity, kInfinity}},
    {"even count averages the middle two", {4, 1, 3, 2}, {2.5, -kInfinity, kInfinity}},
    {"6 values are bounded by their extremes", {6, 1, 5, 2, 4, 3}, {3.5, 1, 6}},
    {"10 values are bounded by the 2nd and 9th", {10, 3, 7, 1, 9, 5, 2, 8, 6, 4}, {5.5, 2, 9}},
    {"11 values are bounded by the 2nd and 10th", {8, 0, 3, 7, 1, 9, 5, 2, 8, 6, 4}, {5, 1, 8}},
};

class Estimate : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(Estimate, MedianAndTheEndsOfItsInterval) {
  const MedianEstimate estimate = EstimateMedian(GetParam().values);
  EXPECT_EQ(estimate.median, GetParam().expected.median);
  EXPECT_EQ(estimate.low, GetParam().expected.low);
  EXPECT_EQ(estimate.high, GetParam().expected.high);
}

INSTANTIATE_TEST_SUITE_P(Table, Estimate, ::testing::ValuesIn(kEstimates), table::NameCases());

struct StopCase {
  const char* name;
  size_t pairs;
  MedianEstimate ratio;
  double seconds;
  Stop expected;
};
void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

// At least 4 pairs, ends within 0.25 of the median, 100 s: numbers a double
// holds exactly, so that the rows at the limits are exact.
constexpr StoppingRule kRule{4, 0.25, 100};

const StopCase kStops[] = {
    {"narrow with the minimum of pairs", 4, {1, 0.8, 1.2}, 10, Stop::kNarrowEnough},
    {"both ends exactly at the half width", 4, {1, 0.75, 1.25}, 10, Stop::kNarrowEnough},
    {"narrow before the minimum", 3, {1, 0.9, 1.1}, 10, Stop::kNotYet},
    {"low end too far", 50, {1, 0.7, 1.1}, 10, Stop::kNotYet},
    {"high end too far", 50, {1, 0.9, 1.3}, 10, Stop::kNotYet},
    {"unbounded", 50, {1, -kInfinity, kInfinity}, 10, Stop::kNotYet},
    {"wide at the cap", 50, {1, 0.5, 1.5}, 100, Stop::kTimeCap},
    {"before the minimum at the cap", 3, {1, 0.9, 1.1}, 100, Stop::kTimeCap},
    {"narrow at the cap", 4, {1, 0.9, 1.1}, 100, Stop::kNarrowEnough},
};

class Stopping : public ::testing::TestWithParam<StopCase> {};

TEST_P(Stopping, NarrowEnoughNotYetOrCap) {
  const StopCase& c = GetParam();
  EXPECT_EQ(NextStop(kRule, c.pairs, c.ratio, c.seconds), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Stopping, ::testing::ValuesIn(kStops), table::NameCases());

struct VerdictCase {
  const char* name;
  double low;
  double high;
  Verdict expected;
};
void PrintTo(const VerdictCase& c, std::ostream* out) { *out << c.name; }

constexpr double kBudget = 1.05;

const VerdictCase kVerdicts[] = {
    {"whole interval below", 1.00, 1.04, Verdict::kWithinBudget},
    {"high end exactly at the budget", 1.00, kBudget, Verdict::kWithinBudget},
    {"single point at the budget", kBudget, kBudget, Verdict::kWithinBudget},
    {"whole interval above", 1.06, 1.10, Verdict::kOverBudget},
    {"low end exactly at the budget", kBudget, 1.10, Verdict::kUndecided},
    {"interval across the budget", 1.04, 1.06, Verdict::kUndecided},
    {"unbounded", -kInfinity, kInfinity, Verdict::kUndecided},
};

class Judging : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Judging, OnTheWholeInterval) {
  const VerdictCase& c = GetParam();
  EXPECT_EQ(JudgeRatio({1.0, c.low, c.high}, kBudget), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Judging, ::testing::ValuesIn(kVerdicts), table::NameCases());

}  // namespace
