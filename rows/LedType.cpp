// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/LedType.h"

#include <algorithm>
#include <cstring>

namespace tessivo {
namespace {

constexpr LedTypeInfo kBuiltin[ledtype::kCount] = {
    {0, u"7LED", 5, 7, 1, 20, 120, 2, 2},
    {1, u"11LED", 11, 11, 1, 12, 144, 1, 1},
    {2, u"16LED", 16, 16, 0, 10, 144, 1, 1},
};

} // namespace

LedTypeTable::LedTypeTable(int gap11, int rowWidth11)
    : entries_{kBuiltin[0], kBuiltin[1], kBuiltin[2]}
{
    entries_[ledtype::k11].gap = std::clamp(gap11, ledtype::kGap11Min, ledtype::kGap11Max);
    entries_[ledtype::k11].rowWidth =
        std::clamp(rowWidth11, ledtype::kRowWidth11Min, ledtype::kRowWidth11Max);
}

int LedTypeTable::maxRowWidth() const
{
    int widest = 0;
    for (const LedTypeInfo &info : entries_)
        widest = std::max(widest, info.rowWidth);
    return std::max(widest, int(ledtype::kRowWidth11Min));
}

bool LedTypeTable::operator==(const LedTypeTable &other) const
{
    return std::memcmp(entries_.data(), other.entries_.data(), sizeof entries_) == 0;
}

} // namespace tessivo
