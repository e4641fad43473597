// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/Columns.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tessivo;

TEST(Columns, ExtractReadsRightToLeftAndBottomUp)
{
    MonoImage image(4, 11);
    image.setPixel(3, 10, true);  // rightmost column, bottom row: bit 7 of byte 0
    image.setPixel(3, 0, true);   // rightmost column, top row: bit 10 -> byte 1 bit 5
    image.setPixel(0, 9, true);   // leftmost column (3), second row from bottom
    uint8_t columns[8];
    std::fill(std::begin(columns), std::end(columns), 0xAA);
    ExtractColumns(image, {0, 0, 4, 11}, columns, 8);
    EXPECT_EQ(columns[0], 0x80);
    EXPECT_EQ(columns[1] & 0xE0, 0x20);
    EXPECT_EQ(columns[1] & 0x1F, 0xAA & 0x1F) << "bits no pixel covers keep their value";
    EXPECT_EQ(columns[6], 0x40);
}

TEST(Columns, ExtractStopsAtMaxBytes)
{
    MonoImage image(10, 16);
    image.fill(true);
    uint8_t columns[72] = {};
    ExtractColumns(image, {0, 0, 10, 16}, columns, 5);
    EXPECT_EQ(columns[4], 0xFF);
    EXPECT_EQ(columns[5], 0);
    // maxBytes beyond the buffer is cut to the buffer.
    uint8_t small[3] = {};
    ExtractColumns(image, {0, 0, 10, 16}, small, 1000);
    EXPECT_EQ(small[2], 0xFF);
}

TEST(Columns, DrawIsTheInverseOfExtract)
{
    MonoImage source(9, 16);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 16; ++y)
            source.setPixel(x, y, (x * 3 + y * 5) % 7 < 3);
    uint8_t columns[72] = {};
    ExtractColumns(source, {0, 0, 9, 16}, columns, 72);
    MonoImage target(20, 16);
    target.fill(true);
    DrawColumns(target, 5, 0, 9, 16, 9, 16, columns);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_EQ(target.pixel(5 + x, y), source.pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(target.pixel(4, 0));
    EXPECT_TRUE(target.pixel(14, 0));
}

TEST(Columns, DrawClipsAndPaintsUnlitPixelsWhite)
{
    uint8_t columns[72] = {};
    columns[0] = 0x80;  // rightmost column, bottom row
    MonoImage target(6, 7);
    target.fill(true);
    DrawColumns(target, 0, 0, 2, 3, 6, 7, columns);  // clipped to 2 x 3
    EXPECT_FALSE(target.pixel(0, 0));
    EXPECT_FALSE(target.pixel(1, 2));
    EXPECT_TRUE(target.pixel(2, 0));
    EXPECT_TRUE(target.pixel(0, 3));
}

TEST(Columns, AbsurdSizesStayInsideTheBytesAndThePicture)
{
    uint8_t columns[72];
    std::fill(std::begin(columns), std::end(columns), 0xFF);
    MonoImage target(30, 16);
    const int big = std::numeric_limits<int>::max();
    DrawColumns(target, -5, -3, big, big, 1000, 500, columns);
    DrawColumns(target, 25, 10, 1000, 1000, 1000, 1000, columns);
    DrawColumns(target, 0, 0, 5, 5, -4, -9, columns);
    DrawColumns(target, -big, -big, big, big, big, big, std::span<const uint8_t>(columns, 72));
    EXPECT_FALSE(columnBit(columns, 16, 36, 0));
    EXPECT_TRUE(columnBit(columns, 16, 35, 15));
    EXPECT_FALSE(columnBit(columns, 0, 0, 0));
}

TEST(MonoImage, CopiesClipAndOverlap)
{
    MonoImage image(16, 4);
    image.setPixel(0, 0, true);
    image.setPixel(1, 0, true);
    image.copyFrom(image, {0, 0, 8, 4}, 1, 0);  // overlapping move right by one
    EXPECT_TRUE(image.pixel(0, 0));
    EXPECT_TRUE(image.pixel(1, 0));
    EXPECT_TRUE(image.pixel(2, 0));
    EXPECT_FALSE(image.pixel(3, 0));
    image.copyFrom(image, {0, 0, 1000, 1000}, 14, 2);
    EXPECT_TRUE(image.pixel(14, 2));
    image.copyFrom(image, {-100, -100, 1000, 1000}, 14, 2);  // lands outside: nothing
    EXPECT_FALSE(image.pixel(15, 3));
    EXPECT_FALSE(image.pixel(100, 100));
    image.setPixel(-1, 99, true);
    image.fill({-5, -5, 100, 100}, false);
    EXPECT_EQ(image, MonoImage(16, 4));
    EXPECT_TRUE(MonoImage(-3, 4).isNull());
}

namespace {

/// The pixels of an image, for comparing two ways of writing them.
std::vector<bool> pixelsOf(const tessivo::MonoImage &image)
{
    std::vector<bool> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.pixel(x, y));
    return out;
}

} // namespace

TEST(MonoImage, FillsAndCopiesOfAnyAlignmentWriteExactlyTheirRectangle)
{
    using tessivo::MonoImage;
    MonoImage pattern(53, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 53; ++x)
            pattern.setPixel(x, y, (x * 7 + y * 3) % 5 < 2);
    uint32_t seed = 99;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % uint32_t(range));
    };
    for (int round = 0; round < 400; ++round) {
        const tessivo::PixelRect area{next(60) - 4, next(12) - 2, next(40), next(10)};
        const int x = next(60) - 4, y = next(12) - 2;
        const bool black = next(2) == 1;
        // The same writes pixel by pixel.
        MonoImage fast(47, 11), slow(47, 11);
        fast.copyFrom(pattern, {0, 0, 47, 11}, 0, 0);
        slow.copyFrom(pattern, {0, 0, 47, 11}, 0, 0);
        fast.fill(area, black);
        for (int j = 0; j < area.height; ++j)
            for (int i = 0; i < area.width; ++i)
                slow.setPixel(area.x + i, area.y + j, black);
        ASSERT_EQ(pixelsOf(fast), pixelsOf(slow)) << "fill round " << round;
        fast.copyFrom(pattern, area, x, y);
        for (int j = 0; j < area.height; ++j)
            for (int i = 0; i < area.width; ++i)
                if (pattern.contains(area.x + i, area.y + j))
                    slow.setPixel(x + i, y + j, pattern.pixel(area.x + i, area.y + j));
        ASSERT_EQ(pixelsOf(fast), pixelsOf(slow)) << "copy round " << round;
    }
}
