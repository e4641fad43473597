// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Trimming a rendered character cell to the LEDs, on drawn test cells.

#include "glyphs/SysFontGlyph.h"
#include "rows/LedType.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tessivo;

namespace {

// A cell drawn with '#' for ink; outside it everything is paper.
struct Cell {
    std::vector<std::string> rows;
    int cx() const { return int(rows.at(0).size()); }
    int cy() const { return int(rows.size()); }
    bool operator()(int x, int y) const
    {
        return y >= 0 && y < cy() && x >= 0 && x < cx() && rows[size_t(y)][size_t(x)] == '#';
    }
};

class GlyphTrim : public ::testing::Test {
protected:
    GlyphCell trim(const Cell &cell, int type) const
    {
        return trimGlyphCell(cell, cell.cx(), cell.cy(), types[type]);
    }
    LedTypeTable types;
};

TEST_F(GlyphTrim, SevenLedCellLosesItsBlankTopRowElseTheBottomOne)
{
    const Cell blankTop{{".....", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", ".####"}};
    GlyphCell c = trim(blankTop, ledtype::k7);
    EXPECT_EQ(c.top, 1);
    EXPECT_EQ(c.height, 7);
    const Cell litTop{{".#...", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", ".####"}};
    c = trim(litTop, ledtype::k7);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.height, 7);
}

TEST_F(GlyphTrim, CellsNoTallerThanTheLedsKeepTheirHeight)
{
    const Cell sixteen{std::vector<std::string>(16, std::string("..#..#..."))};
    const GlyphCell c = trim(sixteen, ledtype::k16);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.height, 16);
    const Cell short7{std::vector<std::string>(5, std::string("#...#"))};
    EXPECT_EQ(trim(short7, ledtype::k7).height, 5);
}

TEST_F(GlyphTrim, OneColumnTooWideLosesOnlyTheRightBlankColumn)
{
    // The 7-LED glyph width is 5: six columns with blank edges.
    const Cell six{std::vector<std::string>(7, std::string(".####."))};
    GlyphCell c = trim(six, ledtype::k7);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.right, 5 + 1);  // five columns and the gap
    // Seven columns: one blank column goes on each side.
    const Cell seven{std::vector<std::string>(7, std::string(".#####."))};
    c = trim(seven, ledtype::k7);
    EXPECT_EQ(c.left, 1);
    EXPECT_EQ(c.right, 6 + 1);
    // Ink at an edge keeps that edge.
    const Cell inked{std::vector<std::string>(7, std::string("#####."))};
    c = trim(inked, ledtype::k7);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.width(), 5 + 1);
}

TEST_F(GlyphTrim, GapColumnsPerType)
{
    types = LedTypeTable(3, 160);
    const Cell narrow{std::vector<std::string>(7, std::string("###"))};
    EXPECT_EQ(trim(narrow, ledtype::k7).width(), 3 + 1);
    EXPECT_EQ(trim(narrow, ledtype::k11).width(), 3 + 3);
    EXPECT_EQ(trim(narrow, ledtype::k16).width(), 3);
}

TEST_F(GlyphTrim, WidthIsLimitedToTheColumnBytes)
{
    // 16 rows take two bytes a column: at most 36 columns.
    const Cell wide{std::vector<std::string>(16, std::string(60, '#'))};
    EXPECT_EQ(trim(wide, ledtype::k16).width(), 36);
    const Cell wide7{std::vector<std::string>(7, std::string(90, '#'))};
    EXPECT_EQ(trim(wide7, ledtype::k7).width(), 72);
}

} // namespace
