// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The character keyboard without a window: which codes get keys, the grid, the hit test
// with its gaps, scrolling, and the mouse rules.

#include "preview/Keyboard.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tessivo {
namespace {

/// A source whose glyph for a code is a column pattern of its own, 4 x 8.
bool distinct(uint16_t code, ChrRecord &record)
{
    record.width = 4;
    record.height = 8;
    record.byteCount = 4;
    for (int i = 0; i < 4; ++i)
        record.columns[i] = uint8_t(code + i);
    return true;
}

/// The first n codes as keys (a source that finds nothing above n).
std::vector<ChrRecord> keysOf(int n)
{
    return FillKeys(255, [n](uint16_t code, ChrRecord &r) { return code <= n && distinct(code, r); });
}

/// A keyboard of n keys in the main window's client area (494 x 197: six lines).
Keyboard keyboard(int n, int height = 197)
{
    Keyboard k;
    k.Fill(keysOf(n), 2);
    k.Resize(494, height);
    return k;
}

QPoint centreOf(const Keyboard &k, int key)
{
    return k.cellRect(key).center();
}

TEST(Keyboard, CodesOneTo125AtMost)
{
    std::vector<int> asked;
    const std::vector<ChrRecord> keys = FillKeys(255, [&](uint16_t code, ChrRecord &r) {
        asked.push_back(code);
        return distinct(code, r);
    });
    ASSERT_EQ(asked.size(), 125u);
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), 125);
    EXPECT_EQ(keys.size(), 125u);
    EXPECT_EQ(keys[41].code, 42);
    EXPECT_EQ(FillKeys(20, [](uint16_t code, ChrRecord &r) { return distinct(code, r); }).size(), 20u);
    EXPECT_TRUE(FillKeys(0, [](uint16_t code, ChrRecord &r) { return distinct(code, r); }).empty());
}

TEST(Keyboard, BlankGlyphsButSpaceAndRepeatsGetNoKey)
{
    const std::vector<ChrRecord> keys = FillKeys(255, [](uint16_t code, ChrRecord &r) {
        if (code == 7)
            return false;  // not found
        r.width = 4;
        r.height = 8;
        r.byteCount = 4;
        if (code == 31 || code == 32)
            return true;  // blank
        // Codes 50 and 60 look like 40; code 70 differs only in its width.
        const int look = code == 50 || code == 60 ? 40 : code;
        for (int i = 0; i < 4; ++i)
            r.columns[i] = uint8_t(look + i);
        if (code == 70) {
            r.width = 5;
            r.columns[0] = uint8_t(40);
            r.columns[1] = uint8_t(41);
            r.columns[2] = uint8_t(42);
            r.columns[3] = uint8_t(43);
        }
        return true;
    });
    std::vector<int> codes;
    for (const ChrRecord &key : keys)
        codes.push_back(key.code);
    const auto has = [&](int code) { return std::find(codes.begin(), codes.end(), code) != codes.end(); };
    EXPECT_FALSE(has(7));
    EXPECT_FALSE(has(31));
    EXPECT_TRUE(has(32));  // space always has its key
    EXPECT_TRUE(has(40));
    EXPECT_FALSE(has(50));
    EXPECT_FALSE(has(60));
    EXPECT_TRUE(has(70));
    EXPECT_EQ(keys.size(), 125u - 4);
}

TEST(Keyboard, SixteenKeysALine)
{
    Keyboard sixteen = keyboard(16);
    EXPECT_EQ(sixteen.lineCount(), 1);
    EXPECT_EQ(sixteen.visibleLines(), 6);
    EXPECT_FALSE(sixteen.scrollBarEnabled());
    EXPECT_EQ(keyboard(17).lineCount(), 2);
    Keyboard many = keyboard(125);
    EXPECT_EQ(many.lineCount(), 8);
    EXPECT_TRUE(many.scrollBarEnabled());
    EXPECT_EQ(many.gridRect(), QRect(2, 2, 494 - 20 - 4, 197 - 4));
    EXPECT_EQ(many.cellRect(0), QRect(2, 2, 28, 28));
    EXPECT_EQ(many.cellRect(17), QRect(2 + 30, 2 + 30, 28, 28));
    EXPECT_TRUE(many.cellRect(16 * 6).isEmpty());  // the seventh line is not shown
}

TEST(Keyboard, ClicksInAGapOrBelowTheLastKeyFindNothing)
{
    Keyboard k = keyboard(20);
    EXPECT_EQ(k.HitTest({2, 2}), 0);
    EXPECT_EQ(k.HitTest({2 + 27, 2 + 27}), 0);
    EXPECT_EQ(k.HitTest({2 + 28, 10}), -1);  // the gap right of key 0
    EXPECT_EQ(k.HitTest({10, 2 + 29}), -1);  // the gap below it
    EXPECT_EQ(k.HitTest({2 + 30, 10}), 1);
    EXPECT_EQ(k.HitTest({1, 10}), -1);
    EXPECT_EQ(k.HitTest({2 + 3 * 30 + 5, 2 + 30 + 5}), 19);
    EXPECT_EQ(k.HitTest({2 + 4 * 30 + 5, 2 + 30 + 5}), -1);  // after the last key
    EXPECT_EQ(k.HitTest({2 + 5, 2 + 2 * 30 + 5}), -1);       // below it
    EXPECT_EQ(k.HitTest({2 + 16 * 30 + 5, 10}), -1);         // right of the sixteenth
}

TEST(Keyboard, ScrollingMovesByLinesAndPages)
{
    Keyboard k = keyboard(125, 90);  // three lines shown of eight
    EXPECT_EQ(k.visibleLines(), 3);
    EXPECT_FALSE(k.Scroll(keys::Scroll::LineUp, 0));
    EXPECT_TRUE(k.Scroll(keys::Scroll::LineDown, 0));
    EXPECT_EQ(k.topLine(), 1);
    EXPECT_EQ(k.HitTest({5, 5}), 16);
    EXPECT_TRUE(k.Scroll(keys::Scroll::PageDown, 0));
    EXPECT_EQ(k.topLine(), 4);
    EXPECT_TRUE(k.Scroll(keys::Scroll::PageDown, 0));
    EXPECT_EQ(k.topLine(), 5);  // not past the last page
    EXPECT_FALSE(k.Scroll(keys::Scroll::LineDown, 0));
    EXPECT_TRUE(k.Scroll(keys::Scroll::PageUp, 0));
    EXPECT_EQ(k.topLine(), 2);
    EXPECT_TRUE(k.Scroll(keys::Scroll::ThumbTrack, 0));
    EXPECT_EQ(k.topLine(), 0);
    EXPECT_FALSE(k.Scroll(keys::Scroll::Other, 3));
    // A refill goes back to the first line with nothing highlighted.
    k.Scroll(keys::Scroll::LineDown, 0);
    k.MouseMove(centreOf(k, 20));
    k.Fill(keysOf(125), 2);
    EXPECT_EQ(k.topLine(), 0);
    EXPECT_EQ(k.hotKey(), -1);
    EXPECT_EQ(k.litKey(), -1);
}

TEST(Keyboard, HoverHighlightsAndAReleaseOnTheHotKeyPicksIt)
{
    Keyboard k = keyboard(40);
    std::vector<int> changed;
    EXPECT_EQ(k.MouseMove(centreOf(k, 3)), std::vector<int>{3});
    EXPECT_EQ(k.litKey(), 3);
    EXPECT_TRUE(k.MouseMove(centreOf(k, 3) + QPoint(1, 1)).empty());
    EXPECT_EQ(k.MouseMove(centreOf(k, 4)), std::vector<int>({3, 4}));
    k.MousePress(centreOf(k, 4));
    EXPECT_EQ(k.litKey(), -1);  // normal while the button is held
    EXPECT_EQ(k.MouseRelease(centreOf(k, 4), changed), 4);
    EXPECT_EQ(changed, std::vector<int>{4});
    EXPECT_EQ(k.hotKey(), -1);
    // A release outside every key picks nothing and changes nothing.
    k.MousePress(centreOf(k, 5));
    EXPECT_EQ(k.MouseRelease(QPoint(2 + 28, 10), changed), -1);
    EXPECT_TRUE(changed.empty());
    // Leaving the window drops the highlight.
    k.MouseMove(centreOf(k, 6));
    EXPECT_EQ(k.MouseLeave(), std::vector<int>{6});
    EXPECT_EQ(k.hotKey(), -1);
}

TEST(Keyboard, PressingOneKeySlidingAndReleasingOnAnotherPicksTheSecond)
{
    Keyboard k = keyboard(40);
    std::vector<int> changed;
    k.MouseMove(centreOf(k, 1));
    k.MousePress(centreOf(k, 1));
    k.MouseMove(centreOf(k, 2));  // no capture: the move makes key 2 hot
    EXPECT_EQ(k.MouseRelease(centreOf(k, 2), changed), 2);
    // A release without a press or move before it on that key picks nothing.
    EXPECT_EQ(k.MouseRelease(centreOf(k, 9), changed), -1);
}

} // namespace
TEST(Keyboard, TheThumbStopsWhereTheLastLineShowsAtTheBottom)
{
    Keyboard k = keyboard(125, 120);  // eight lines, four shown
    ASSERT_EQ(k.lineCount(), 8);
    ASSERT_EQ(k.visibleLines(), 4);
    EXPECT_EQ(k.lastTopLine(), 4);
    k.Scroll(keys::Scroll::ThumbTrack, 7);
    EXPECT_EQ(k.topLine(), 4) << "never one line of keys and empty lines below";
    k.Scroll(keys::Scroll::ThumbTrack, -3);
    EXPECT_EQ(k.topLine(), 0);
    EXPECT_EQ(keyboard(20, 197).lastTopLine(), 0);
}

TEST(Keyboard, NoKeyStaysLitWhenThePointerJumpsToAnotherAndLeaves)
{
    Keyboard k = keyboard(40);
    std::vector<int> changed;
    k.MouseMove(centreOf(k, 3));
    k.MousePress(centreOf(k, 3));
    EXPECT_EQ(k.MouseRelease(centreOf(k, 3), changed), 3);
    ASSERT_EQ(k.litKey(), 3);
    // The pointer jumps to key 9 (no move over the gap between): key 3 is drawn again.
    changed = k.MouseMove(centreOf(k, 9));
    EXPECT_NE(std::find(changed.begin(), changed.end(), 3), changed.end());
    EXPECT_NE(std::find(changed.begin(), changed.end(), 9), changed.end());
    EXPECT_EQ(k.litKey(), 9);
    changed = k.MouseMove(QPoint(-5, -5));
    EXPECT_EQ(changed, std::vector<int>{9});
    EXPECT_EQ(k.litKey(), -1);
    EXPECT_EQ(k.hotKey(), -1);
}

TEST(Keyboard, TheArrowsMoveTheFocusKeyAndScrollItIntoView)
{
    Keyboard k = keyboard(125, 120);
    EXPECT_EQ(k.focusKey(), -1);
    k.MoveFocus(0, 0);
    EXPECT_EQ(k.focusKey(), 0);
    k.MoveFocus(-1, 0);
    EXPECT_EQ(k.focusKey(), 0) << "nothing before the first key";
    k.MoveFocus(1, 0);
    k.MoveFocus(0, 1);
    EXPECT_EQ(k.focusKey(), 17);
    for (int i = 0; i < 5; ++i)
        k.MoveFocus(0, 1);
    EXPECT_EQ(k.focusKey(), 6 * 16 + 1);
    EXPECT_EQ(k.topLine(), 3) << "the focus key's line is shown";
    k.MoveFocus(0, 1);
    EXPECT_EQ(k.focusKey(), 7 * 16 + 1);
    k.MoveFocus(0, 1);
    EXPECT_EQ(k.focusKey(), 7 * 16 + 1) << "no key below";
    EXPECT_EQ(k.topLine(), 4);
    for (int i = 0; i < 8; ++i)
        k.MoveFocus(0, -1);
    EXPECT_EQ(k.topLine(), 0);
    k.Fill(keysOf(10), 2);
    EXPECT_EQ(k.focusKey(), -1) << "new keys, no focus key";
}

TEST(Keyboard, AnInstalledFontOffersControlCodesOnlyWhereTheFaceDrawsThem)
{
    const KeyLookup all = [](uint16_t code, ChrRecord &r) { return code <= 40 && distinct(code, r); };
    const auto faceHas = [](uint16_t code) { return code >= 32 || code == 7; };
    const std::vector<ChrRecord> installed = FillKeys(255, keyLookupFor(all, true, faceHas));
    ASSERT_FALSE(installed.empty());
    EXPECT_EQ(installed.front().code, 7);
    EXPECT_EQ(installed.size(), 1u + 9u);  // 7, then 32 to 40
    EXPECT_EQ(FillKeys(255, keyLookupFor(all, false, faceHas)).size(), 40u) << "the glyph files keep every code";
}

} // namespace tessivo
