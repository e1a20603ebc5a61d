// Names for the rows of parametrized GoogleTest tables: each row carries its own `name`, which
// ctest lists and a failure reports, instead of the row's bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vapomet::testing {

struct ByName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

}  // namespace vapomet::testing
