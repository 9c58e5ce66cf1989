// What the start-up benchmark concludes from its pairs of runs (one of the
// program, one of the baseline, each pair giving a ratio and a difference):
// the median of a per-pair figure with a distribution-free 95% interval, when
// enough pairs have been taken, and what an interval says about a budget.
// Plain functions over plain data, so that they run on any machine.
#pragma once

#include <cstddef>
#include <vector>

// The median of a sample, with the interval that holds the population's
// median with probability at least 95% whatever the distribution. An end
// that no order statistic of so few values can give is infinite.
struct MedianEstimate {
  double median;
  double low;
  double high;
};

// 1-based ranks of the order statistics x(lower) and x(upper) that bound
// the median of n values. Rank 0 and rank n + 1 stand for the infinite ends.
struct OrderRanks {
  size_t lower;
  size_t upper;
};

OrderRanks MedianIntervalRanks(size_t n);

// values must not be empty.
MedianEstimate EstimateMedian(std::vector<double> values);

// Pairs are taken until both ends of the start-up ratio's interval lie
// within halfWidth of its median, once there are at least minimumPairs, or
// until maximumSeconds of measuring have passed.
struct StoppingRule {
  size_t minimumPairs;
  double halfWidth;
  double maximumSeconds;
};

enum class Stop { kNotYet, kNarrowEnough, kTimeCap };

Stop NextStop(const StoppingRule& rule, size_t pairs, const MedianEstimate& ratio,
              double secondsMeasuring);

// Judged on the whole interval of a ratio: a budget is kept or broken only
// when the interval lies entirely on one side of it.
enum class Verdict { kWithinBudget, kOverBudget, kUndecided };

Verdict JudgeRatio(const MedianEstimate& ratio, double budget);
