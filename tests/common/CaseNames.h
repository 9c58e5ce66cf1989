// How GoogleTest names the cases of the table-driven tests: a row by its
// letter and name, any other case by its name, made into an identifier.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/common/ProgramTable.h"

namespace table {

inline std::string CaseName(const Row& row) { return RowName(row); }
template <typename Case>
std::string CaseName(const Case& named) {
  return named.name;
}

// The name generator for INSTANTIATE_TEST_SUITE_P.
struct NameCases {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& tested) const {
    return Identifier(CaseName(tested.param));
  }
};

}  // namespace table
