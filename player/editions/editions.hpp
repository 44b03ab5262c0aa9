#pragma once

// The four editions, for code and tests that go through all of them.

#include <array>

#include "player/editions/dask_edition.hpp"
#include "player/editions/kovex_edition.hpp"
#include "player/editions/pemra_edition.hpp"
#include "player/editions/standard_edition.hpp"

namespace nwmp::editions {

inline constexpr std::array<const EditionProfile*, 4> kAll = {&kStandard, &kKovex, &kPemra, &kDask};

}  // namespace nwmp::editions
