#pragma once

// The edition parameter of the tests that run the player under every edition's profile.

#include <gtest/gtest.h>

#include <string>

#include "player/editions/editions.hpp"

namespace nwmp::testing {

class EveryEdition : public ::testing::TestWithParam<const EditionProfile*> {
  protected:
    const EditionProfile& edition() const { return *GetParam(); }
};

inline std::string editionName(const ::testing::TestParamInfo<const EditionProfile*>& info) {
    return std::string(info.param->version.programName);
}

#define NWMP_FOR_EVERY_EDITION(suite)                                                      \
    INSTANTIATE_TEST_SUITE_P(Editions, suite, ::testing::ValuesIn(::nwmp::editions::kAll), \
                             ::nwmp::testing::editionName)

}  // namespace nwmp::testing
