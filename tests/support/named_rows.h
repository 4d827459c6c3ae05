#pragma once
// Table-driven tests: every row of a parameterised test carries a `name`, and
// RowName gives GoogleTest that name, so a failure names its row.

#include <gtest/gtest.h>

#include <string>

namespace borvanta::testing_support {

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

}  // namespace borvanta::testing_support
