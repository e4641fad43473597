// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editing commands of a row: typing, deleting, caret keys with and without Shift,
// cut and paste through the clipboard blocks, select all and the context menu's rules.

#include "rows/RowClipboard.h"
#include "rows/RowModel.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

// Known pictures, 8 columns wide; '#' is 36 columns wide; 0x7F and line breaks are
// not found.
bool fakeGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    if (code == 0x7F || code == '\n' || code == '\r')
        return false;
    record.width = code == '#' ? 36 : 8;
    record.height = ledType == ledtype::k7 ? 7 : 16;
    record.byteCount = uint8_t(std::min(72, record.width * bytesPerColumn(record.height)));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t(code + i);
    return true;
}

class RowEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&row, &RowModel::changed, [this] { ++changes; });
        row.SetLedType(ledtype::k16, false);
    }
    void typeText(const char *text)
    {
        for (const char *c = text; *c; ++c)
            row.TypeChar(uint16_t(*c));
    }
    QString text() const
    {
        QString s;
        for (int i = 0; i < row.n(); ++i)
            s += QChar(row.entry(i).code);
        return s;
    }

    RowModel row{&fakeGlyph};
    int changes = 0;
};

TEST_F(RowEditing, TypingInsertsAtTheCaretAndNotifiesEachTime)
{
    typeText("ACD");
    row.MoveCaretKey(-2, false);
    row.TypeChar('B');
    EXPECT_EQ(text(), "ABCD");
    EXPECT_EQ(row.caretIndex(), 2);
    EXPECT_EQ(changes, 4);
}

TEST_F(RowEditing, RefusedCharacterChangesNothingAndRecordsNoStep)
{
    typeText("###");  // 108 of 144 columns
    const int undo = row.undoDepth();
    changes = 0;
    row.TypeChar(0x7F);  // not found
    EXPECT_EQ(row.undoDepth(), undo);
    row.TypeChar('#');   // 36 more just fit
    row.TypeChar('a');   // the row is full
    EXPECT_EQ(text(), "####");
    EXPECT_EQ(row.undoDepth(), std::min(undo + 1, 5));
    EXPECT_EQ(changes, 1);
}

TEST_F(RowEditing, TypingReplacesTheSelection)
{
    typeText("abcd");
    row.setSelection(3, 1);
    row.TypeChar('X');
    EXPECT_EQ(text(), "aXd");
    EXPECT_FALSE(row.hasSelection());
    EXPECT_EQ(row.caretIndex(), 2);
}

TEST_F(RowEditing, BackspaceDeletesBeforeTheCaretOrTheSelection)
{
    row.Backspace();  // empty row: nothing, not even an undo step
    EXPECT_EQ(row.undoDepth(), 0);
    typeText("abcd");
    row.Backspace();
    EXPECT_EQ(text(), "abc");
    row.setSelection(0, 2);
    row.Backspace();
    EXPECT_EQ(text(), "c");
    row.MoveCaretKey(-100, false);
    const int before = changes;
    row.Backspace();  // at the start nothing goes, the change is still reported
    EXPECT_EQ(text(), "c");
    EXPECT_EQ(changes, before + 1);
}

TEST_F(RowEditing, DeleteKeyTakesTheCharacterAfterTheCaret)
{
    typeText("abc");
    row.DeleteKey();  // at the end: nothing
    EXPECT_EQ(text(), "abc");
    row.MoveCaretKey(-100, false);
    row.DeleteKey();
    EXPECT_EQ(text(), "bc");
    row.setSelection(0, 2);
    row.DeleteKey();
    EXPECT_EQ(text(), "");
}

TEST_F(RowEditing, HomeThenShiftEndSelectsTheWholeRow)
{
    typeText("abcde");
    row.MoveCaretKey(-100, false);
    row.MoveCaretKey(100, true);
    EXPECT_EQ(row.anchor(), 0);
    EXPECT_EQ(row.selectionEnd(), 5);
    EXPECT_FALSE(row.canSelectAll());
    row.MoveCaretKey(-1, true);  // Shift+Left shrinks it
    EXPECT_EQ(row.selectionEnd(), 4);
    row.MoveCaretKey(1, false);  // a plain caret key removes it
    EXPECT_FALSE(row.hasSelection());
}

TEST_F(RowEditing, SelectAllAndItsMenuRule)
{
    EXPECT_FALSE(row.canSelectAll());  // empty row
    typeText("abc");
    EXPECT_TRUE(row.canSelectAll());
    row.SelectAll();
    EXPECT_EQ(row.anchor(), 0);
    EXPECT_EQ(row.selectionEnd(), 3);
    EXPECT_EQ(row.caretIndex(), 3);
    EXPECT_FALSE(row.canSelectAll());
}

TEST_F(RowEditing, CopyingThreeCharactersGivesTheBlocksOfTheirSize)
{
    typeText("xAbCy");
    row.setSelection(4, 1);
    const std::vector<ChrRecord> records = row.SelectedRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(glyphBlock(records).size(), 252);
    const QByteArray textBlock = unicodeTextBlock(records);
    ASSERT_EQ(textBlock.size(), 8);
    EXPECT_EQ(textBlock, QByteArray("A\0b\0C\0\0\0", 8));
    EXPECT_EQ(textOf(records), "AbC");
    EXPECT_EQ(int(records[0].height), 16);
}

TEST_F(RowEditing, CutThenUndoBringsTheCharactersBack)
{
    typeText("abcd");
    row.setSelection(1, 3);
    const std::vector<ChrRecord> cut = row.SelectedRecords();
    row.CutSelection();
    EXPECT_EQ(text(), "ad");
    EXPECT_TRUE(row.Undo());
    EXPECT_EQ(text(), "abcd");
    EXPECT_EQ(cut.size(), 2u);
}

TEST_F(RowEditing, PastedGlyphsKeepTheirPixels)
{
    typeText("ab");
    row.SelectAll();
    const QByteArray block = glyphBlock(row.SelectedRecords());
    RowModel other(&fakeGlyph);
    other.SetLedType(ledtype::k16, false);
    ClipboardContent content;
    content.hasGlyphs = true;
    content.glyphs = *parseGlyphBlock(block);
    other.Paste(content, true);
    ASSERT_EQ(other.n(), 2);
    EXPECT_EQ(other.rowImage(), row.rowImage());
    EXPECT_EQ(other.caretIndex(), 2);
}

TEST_F(RowEditing, PasteTextStopsAtTheFirstRefusedCharacter)
{
    ClipboardContent content;
    content.hasText = true;
    content.text = QStringLiteral("ab\r\ncd");
    row.Paste(content, false);
    EXPECT_EQ(text(), "ab");
    // Glyph mode without glyph data falls back to the text.
    row.Paste(content, true);
    EXPECT_EQ(text(), "abab");
}

TEST_F(RowEditing, PasteWithoutContentRecordsOnlyTheUndoStep)
{
    typeText("a");
    changes = 0;
    row.Paste(ClipboardContent{}, true);
    EXPECT_EQ(text(), "a");
    EXPECT_EQ(changes, 0);
}

TEST_F(RowEditing, DamagedGlyphBlocksAreRefusedWhole)
{
    typeText("ab");
    row.SelectAll();
    QByteArray block = glyphBlock(row.SelectedRecords());
    EXPECT_FALSE(parseGlyphBlock(QByteArray()));
    EXPECT_FALSE(parseGlyphBlock(block.left(83)));
    EXPECT_FALSE(parseGlyphBlock(block + "x"));
    for (int32_t width : {0, -1, 73, 100000, INT32_MIN}) {
        QByteArray damaged = block;
        std::memcpy(damaged.data() + 84 + 2, &width, 4);  // the second record's width
        EXPECT_FALSE(parseGlyphBlock(damaged)) << width;
    }
    QByteArray noHeight = block;
    const int32_t height = -16;
    std::memcpy(noHeight.data() + 6, &height, 4);
    EXPECT_FALSE(parseGlyphBlock(noHeight));
    EXPECT_TRUE(parseGlyphBlock(block));
}

/// A repro file's bytes, read whole.
QByteArray reproFile(const char *name)
{
    QFile file(QStringLiteral(TESSIVO_TEST_DATA "/repro/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(RowEditing, RecordsNoGlyphSourceGivesAreRefusedBeforeAnyArithmetic)
{
    // The clipboard files hold four bytes of their own before the block of records.
    const QByteArray intMax = reproFile("clipboard-height-intmax.bin");
    ASSERT_EQ(intMax.size(), 4 + 84);
    EXPECT_FALSE(parseGlyphBlock(intMax.mid(4)));
    EXPECT_FALSE(parseGlyphBlock(intMax));

    ChrRecord record = emptyRecord();
    record.width = 3;
    record.height = 7;
    record.byteCount = 3;
    EXPECT_TRUE(isValidRecord(record));
    const struct { int32_t width, height; int byteCount; } damaged[] = {
        {3, INT32_MAX, 3}, {3, INT32_MIN, 3}, {3, 17, 3}, {3, 0, 3}, {0, 7, 3}, {73, 7, 72},
        {INT32_MAX, 7, 3}, {37, 16, 72}, {3, 7, 73}, {3, 7, 255}};
    for (const auto &d : damaged) {
        ChrRecord r = record;
        r.width = d.width;
        r.height = d.height;
        r.byteCount = uint8_t(d.byteCount);
        EXPECT_FALSE(isValidRecord(r)) << d.width << "x" << d.height << " " << d.byteCount;
        EXPECT_FALSE(row.InsertGlyph(r));
    }
}

TEST_F(RowEditing, AGlyphIsTakenOnlyWhenItFitsAtTheRowsHeight)
{
    // 40 columns of 7 rows: 40 bytes at its own height, 80 at 11 or 16 rows.
    const QByteArray block = reproFile("clipboard-wide-short-glyph.bin").mid(4);
    const std::optional<std::vector<ChrRecord>> records = parseGlyphBlock(block);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    const ChrRecord wide = (*records)[0];
    EXPECT_EQ(int(wide.width), 40);
    EXPECT_EQ(int(wide.height), 7);
    ClipboardContent content;
    content.hasGlyphs = true;
    content.glyphs = *records;
    for (int type : {ledtype::k11, ledtype::k16}) {
        row.SetLedType(type, false);
        EXPECT_FALSE(row.InsertGlyph(wide)) << type;
        row.Paste(content, true);  // stops at the first record that does not fit
        EXPECT_EQ(row.n(), 0) << type;
    }

    // A 7-LED row takes it and gives it back byte for byte, whatever reads it.
    row.SetLedType(ledtype::k7, false);
    row.Paste(content, true);
    ASSERT_EQ(row.n(), 2);
    row.SelectAll();
    const QByteArray copied = glyphBlock(row.SelectedRecords());
    RowModel other(&fakeGlyph);
    other.SetLedType(ledtype::k7, false);
    ClipboardContent again;
    again.hasGlyphs = true;
    again.glyphs = *parseGlyphBlock(copied);
    other.Paste(again, true);
    ASSERT_EQ(other.n(), 2);
    other.SelectAll();
    EXPECT_EQ(glyphBlock(other.SelectedRecords()), copied);
    EXPECT_EQ(other.usedWidth(), 40 + 6);
}

TEST_F(RowEditing, TextRectangleIsTheLedCountHighInsideFrameAndMargins)
{
    struct Case {
        int type, width, height;
        RowModel::TextRect rect;
    };
    const Case cases[] = {
        {ledtype::k7, 254, 26, {2, 3, 125, 10}},
        {ledtype::k11, 172, 23, {4, 6, 168, 17}},
        {ledtype::k16, 156, 26, {4, 5, 152, 21}},
    };
    for (const Case &c : cases) {
        row.SetLedType(c.type, false);
        const RowModel::TextRect r = row.textRect(c.width, c.height);
        EXPECT_EQ(r.left, c.rect.left) << c.type;
        EXPECT_EQ(r.top, c.rect.top) << c.type;
        EXPECT_EQ(r.right, c.rect.right) << c.type;
        EXPECT_EQ(r.bottom, c.rect.bottom) << c.type;
        EXPECT_EQ(r.height(), row.height());
        EXPECT_GE(r.width(), row.rowWidth());
    }
}

} // namespace
