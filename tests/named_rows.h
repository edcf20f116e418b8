// Data-driven tests: each row carries the name its case is reported under
// (letters, digits and underscores only, as GoogleTest requires).
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace quotalis::testing {

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace quotalis::testing
