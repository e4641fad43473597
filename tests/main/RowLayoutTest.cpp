// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the main window puts its rows, and which row a scroll notification shows first.

#include "main/DialogTexts.h"
#include "main/RowLayout.h"

#include <gtest/gtest.h>

using namespace tessivo;

namespace {

RowLayoutInput input(bool useMiddle, int firstRow = 0)
{
    RowLayoutInput in;
    in.frame = QRect(11, 105, 556, 265);
    in.rowHeight = 24;
    in.scrollBarLeft = 549;
    in.useMiddle = useMiddle;
    in.numberWidth = 18;
    in.editorWidth = 32;
    in.firstRow = firstRow;
    in.rowsPerPage = rowsPerPage(in.frame.height(), in.rowHeight);
    in.inputWidth.fill(156);
    in.inputHeight.fill(26);
    return in;
}

TEST(RowLayout, InputWidthsOfTheThreeTypes)
{
    const LedTypeTable types(2, 160);
    EXPECT_EQ(rowInputWidth(types[ledtype::k7]), 254);
    EXPECT_EQ(rowInputWidth(types[ledtype::k11]), 172);
    EXPECT_EQ(rowInputWidth(types[ledtype::k16]), 156);
}

TEST(RowLayout, RowsPerPageFollowsTheFrame)
{
    EXPECT_EQ(rowsPerPage(265, 24), 9);
    EXPECT_EQ(rowsPerPage(19, 24), 0);
    EXPECT_EQ(rowsPerPage(24, 24), 1);
    EXPECT_EQ(rowsPerPage(2000, 24), 12);
}

TEST(RowLayout, TwoOrThreeListsShareWhatIsLeft)
{
    for (const bool useMiddle : {false, true}) {
        const RowLayoutInput in = input(useMiddle);
        const RowLayoutResult out = LayoutRows(in);
        const RowPlacement &first = out.rows[0];
        const int rest = in.scrollBarLeft - in.frame.left() - 8 - 18 - 156 - 32;
        const int lists = useMiddle ? 3 : 2;
        EXPECT_EQ(first.opening.width(), (rest - 12) / lists);
        EXPECT_EQ(first.closing.width(), (rest - 12) / lists);
        EXPECT_EQ(first.input.top(), in.frame.top() - 2);
        EXPECT_EQ(first.input.left(), first.number.right() + 1 + 4);
        EXPECT_EQ(first.closing.left(), (useMiddle ? first.middle : first.opening).right() + 1 + 4);
        // The headers span the columns of the last row placed.
        EXPECT_EQ(out.textLeft, first.number.left());
        EXPECT_EQ(out.textRight, first.editor.right() + 1);
        EXPECT_EQ(out.closingRight, first.closing.right() + 1);
    }
}

TEST(RowLayout, OnlyThePageOfRowsIsShownAndSpreadOverTheFrame)
{
    const RowLayoutInput in = input(false, 3);
    const RowLayoutResult out = LayoutRows(in);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(out.rows[size_t(k)].visible, k >= 3 && k < 3 + in.rowsPerPage) << k;
    const RowPlacement &last = out.rows[size_t(3 + in.rowsPerPage - 1)];
    EXPECT_EQ(out.rows[3].number.top(), in.frame.top());
    EXPECT_LE(last.number.bottom(), in.frame.bottom());
    EXPECT_GE(last.number.bottom(), in.frame.bottom() - 1);
    RowLayoutInput none = in;
    none.rowsPerPage = 0;
    EXPECT_FALSE(LayoutRows(none).placed);
}

TEST(RowLayout, ScrollNotifications)
{
    using rowlayout::Scroll;
    const int page = 9;
    EXPECT_EQ(scrolledFirstRow(Scroll::LineUp, 0, page, 0), 0);
    EXPECT_EQ(scrolledFirstRow(Scroll::LineUp, 2, page, 0), 1);
    EXPECT_EQ(scrolledFirstRow(Scroll::LineDown, 2, page, 0), 3);
    EXPECT_EQ(scrolledFirstRow(Scroll::LineDown, 3, page, 0), 3);  // 3 + 9 = 12
    EXPECT_EQ(scrolledFirstRow(Scroll::PageDown, 0, page, 0), 3);
    EXPECT_EQ(scrolledFirstRow(Scroll::PageDown, 3, page, 0), 3);
    EXPECT_EQ(scrolledFirstRow(Scroll::PageUp, 3, page, 0), 0);
    EXPECT_EQ(scrolledFirstRow(Scroll::PageUp, 0, page, 0), 0);
    EXPECT_EQ(scrolledFirstRow(Scroll::ThumbTrack, 0, 5, 3), 3);
    EXPECT_EQ(scrolledFirstRow(Scroll::ThumbTrack, 0, 5, 99), 7);
    EXPECT_EQ(scrolledFirstRow(Scroll::Other, 2, page, 7), 2);
}

TEST(DialogTexts, NoteAndLedTypeCaption)
{
    const LanguageRecord &zh = builtinChinese();
    const QString note = noteText(zh, 2);
    EXPECT_TRUE(note.startsWith(QString::fromUtf16(u"使用用户字库时:\n\n  英文")));
    EXPECT_FALSE(note.contains(QStringLiteral("[b]")));
    EXPECT_EQ(noteText(builtinEnglish(), 0), "English each section most may input 18 characters");
    EXPECT_EQ(ledTypeCaption(QStringLiteral("LedType"), 7), "LedType\n(7Led)");
    EXPECT_EQ(ledTypeCaption(QStringLiteral("LedType\n(7Led)"), 16), "LedType\n(16Led)");
    EXPECT_EQ(ledTypeCaption(QString(), 11), "\n(11Led)");
}

} // namespace
