// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The size tables of the two user libraries as the glyph generator writes them: runs of
// code points that share a width and a height, in code order.

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tessivo::sizetables {

struct SizeRun {
    uint32_t end; ///< one past the run's last code point
    uint8_t width, height;
};

extern const SizeRun kRuns11[];
extern const size_t kRuns11Count;
extern const SizeRun kRuns16[];
extern const size_t kRuns16Count;

} // namespace tessivo::sizetables
