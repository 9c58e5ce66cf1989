#include "bench/PairedComparison.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double MedianOfSorted(const std::vector<double>& sorted) {
  const size_t middle = sorted.size() / 2;
  return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
}

}  // namespace

// Of n values, as many lie below the population's median as heads come up
// in n fair tosses, B ~ binomial(n, 1/2). So (x(k), x(n + 1 - k)) misses the
// median with probability 2 P(B <= k - 1), and the largest k that keeps
// P(B <= k - 1) at or below 2.5% gives the narrowest interval covering at
// least 95%. The binomial probabilities are summed in log space: 2^-n and
// the coefficients leave a double's range at about a thousand values. No
// P(B <= k) equals 1/40 exactly (2^n is no multiple of 5), so rounding
// cannot move the choice.
OrderRanks MedianIntervalRanks(size_t n) {
  const double count = static_cast<double>(n);
  double logTerm = -count * std::log(2.0);  // log P(B = 0)
  double atMostK = std::exp(logTerm);       // P(B <= k)
  size_t k = 0;
  while (atMostK <= 0.025) {
    ++k;
    logTerm += std::log(count - static_cast<double>(k) + 1.0) - std::log(static_cast<double>(k));
    atMostK += std::exp(logTerm);
  }
  return {k, n + 1 - k};
}

MedianEstimate EstimateMedian(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const OrderRanks ranks = MedianIntervalRanks(values.size());
  const double infinity = std::numeric_limits<double>::infinity();
  return {MedianOfSorted(values), ranks.lower == 0 ? -infinity : values[ranks.lower - 1],
          ranks.upper > values.size() ? infinity : values[ranks.upper - 1]};
}

Stop NextStop(const StoppingRule& rule, size_t pairs, const MedianEstimate& ratio,
              double secondsMeasuring) {
  const bool narrow =
      ratio.median - ratio.low <= rule.halfWidth && ratio.high - ratio.median <= rule.halfWidth;
  if (pairs >= rule.minimumPairs && narrow) return Stop::kNarrowEnough;
  if (secondsMeasuring >= rule.maximumSeconds) return Stop::kTimeCap;
  return Stop::kNotYet;
}

Verdict JudgeRatio(const MedianEstimate& ratio, double budget) {
  if (ratio.high <= budget) return Verdict::kWithinBudget;
  if (ratio.low > budget) return Verdict::kOverBudget;
  return Verdict::kUndecided;
}
