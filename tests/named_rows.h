// Data-driven tests: each row carries the name its case is reported under
// (letters, digits and underscores only, as GoogleTest requires), and failure
// messages print rows by that name.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace quotalis::testing {

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return std::string(info.param.name);
  }
};

// Rows live in each test file's unnamed namespace; `using testing::PrintTo;`
// there lets GoogleTest find this.
template <class Row>
requires requires(const Row& row) { std::string_view(row.name); }
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

}  // namespace quotalis::testing
