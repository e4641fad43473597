#include "rows/LedType.h"

#include <algorithm>
#include <iterator>

namespace tessivo {
namespace {

constexpr LedTypeInfo kBuiltin[ledtype::kCount] = {
    {0, u"7LED", 5, 7, 1, 20, 120, 2, 2},
    {1, u"11LED", 11, 11, 1, 12, 144, 1, 1},
    {2, u"16LED", 16, 16, 0, 10, 144, 1, 1},
};

LedTypeInfo table[ledtype::kCount] = {kBuiltin[0], kBuiltin[1], kBuiltin[2]};

} // namespace

const LedTypeInfo &ledTypeInfo(int type) { return table[clampLedType(type)]; }

void adjustLedType11(int gap, int rowWidth)
{
    table[ledtype::k11].gap = std::clamp(gap, ledtype::kGap11Min, ledtype::kGap11Max);
    table[ledtype::k11].rowWidth =
        std::clamp(rowWidth, ledtype::kRowWidth11Min, ledtype::kRowWidth11Max);
}

void resetLedTypeTable()
{
    std::copy(std::begin(kBuiltin), std::end(kBuiltin), std::begin(table));
}

int maxRowWidth()
{
    int widest = 0;
    for (const LedTypeInfo &info : table)
        widest = std::max(widest, info.rowWidth);
    return std::max(widest, int(ledtype::kRowWidth11Min));
}

} // namespace tessivo
