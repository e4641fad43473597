// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/Columns.h"
#include "rows/RowModel.h"

#include <QString>
#include <cstring>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

// A glyph source with known pictures: 6 columns wide ('W' 12), as high as the built-in
// glyphs of the type (16 rows for 11 LEDs); code 0x7F is not found.
bool fakeGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    if (code == 0x7F)
        return false;
    record.width = code == 'W' ? 12 : 6;
    record.height = ledType == ledtype::k7 ? 7 : 16;
    record.kind = glyphkind::kAscii;
    record.byteCount = uint8_t(record.width * bytesPerColumn(record.height));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t((code * 37 + i * 11) | 0x81);
    return true;
}

class RowModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        row = std::make_unique<RowModel>(&fakeGlyph);
        QObject::connect(row.get(), &RowModel::changed, [this] { ++changes; });
        row->SetLedType(ledtype::k16, false);
    }
    void type(const char *text)
    {
        for (const char *c = text; *c; ++c)
            if (row->AddChar(uint16_t(*c), false))
                row->MoveCaret(1, false);
    }
    QString text() const
    {
        QString s;
        for (int i = 0; i < row->n(); ++i)
            s += QChar(row->entry(i).code);
        return s;
    }
    // The row's LEDs of character i as a record, the way every reader sees them.
    ChrRecord read(int i) const
    {
        ChrRecord record = emptyRecord();
        row->ExtractRecords(i + 1, i, &record);
        return record;
    }
    static ChrRecord glyph(uint16_t code, int type)
    {
        ChrRecord record = emptyRecord();
        fakeGlyph(code, type, record);
        record.code = code;
        return record;
    }
    // The rows of the glyph that lie inside a row of `height`, as that row reads them.
    static bool sameLeds(const ChrRecord &a, const ChrRecord &b, int height)
    {
        for (int c = 0; c < a.width; ++c)
            for (int r = 0; r < height; ++r)
                if (columnBit(a.columns, a.height, c, a.height - 1 - r) !=
                    columnBit(b.columns, b.height, c, b.height - 1 - r))
                    return false;
        return true;
    }

    std::unique_ptr<RowModel> row;
    int changes = 0;
};

} // namespace

TEST_F(RowModelTest, NewRowIsAnEmptySixteenLedRow)
{
    RowModel fresh(&fakeGlyph);
    EXPECT_EQ(fresh.ledType(), ledtype::k16);
    EXPECT_EQ(fresh.n(), 0);
    EXPECT_EQ(fresh.rowWidth(), 144);
    EXPECT_EQ(fresh.rowImage().width(), 160);
    EXPECT_EQ(fresh.rowImage().height(), 16);
    EXPECT_EQ(fresh.TakeSnapshot().image.width(), 32 * 7);
}

TEST_F(RowModelTest, RowWindowHeightsAndMarginsPerType)
{
    const LedTypeTable types;
    EXPECT_EQ(rowWindowHeight(types[ledtype::k7]), 26);
    EXPECT_EQ(rowWindowHeight(types[ledtype::k11]), 23);
    EXPECT_EQ(rowWindowHeight(types[ledtype::k16]), 26);
    row->SetLedType(ledtype::k7, false);
    EXPECT_EQ(row->marginX(), 1);
    EXPECT_EQ(row->marginY(), 1);
    row->SetLedType(ledtype::k11, false);
    EXPECT_EQ(row->marginX(), 3);
    EXPECT_EQ(row->marginY(), 2);
    row->SetLedType(9, false);
    EXPECT_EQ(row->ledType(), ledtype::k7);
}

TEST_F(RowModelTest, SevenLedRowHoldsTwentyCharacters)
{
    row->SetLedType(ledtype::k7, false);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(row->AddChar('A', false)) << i;
        row->MoveCaret(1, false);
    }
    EXPECT_EQ(row->usedWidth(), 120);
    EXPECT_FALSE(row->AddChar('A', true));
    EXPECT_FALSE(row->AddChar('A', false));
    EXPECT_EQ(row->n(), 20);
}

TEST_F(RowModelTest, FiftyCharactersAtMostAndZeroOrUnknownCodesAreRefused)
{
    row->SetLedType(ledtype::k11, false);
    EXPECT_FALSE(row->AddChar(0, false));
    EXPECT_FALSE(row->AddChar(0x7F, false));
    EXPECT_FALSE(row->AddChar(0x7F, true));
    ChrRecord narrow = glyph('i', ledtype::k11);
    narrow.width = 1;
    std::vector<ChrRecord> many(60, narrow);
    row->InsertRecords(many.data(), 60);
    EXPECT_EQ(row->n(), 50);
    EXPECT_EQ(row->caretIndex(), 50);
    EXPECT_FALSE(row->AddChar('A', false));
}

TEST_F(RowModelTest, InsertingMovesTheRightHandLedsAndDeletingMovesThemBack)
{
    type("AB");
    const ChrRecord b = read(1);
    row->MoveCaret(-1, false);
    ASSERT_TRUE(row->AddChar('W', false));
    EXPECT_EQ(text(), "AWB");
    EXPECT_EQ(row->entry(1).x, 6);
    EXPECT_EQ(row->entry(2).x, 18);
    EXPECT_TRUE(sameLeds(read(2), b, 16));
    EXPECT_TRUE(sameLeds(read(1), glyph('W', ledtype::k16), 16));

    row->DeleteRange(2, 1, false);
    EXPECT_EQ(text(), "AB");
    EXPECT_EQ(row->entry(1).x, 6);
    EXPECT_TRUE(sameLeds(read(1), b, 16));
    for (int x = 12; x < 24; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_FALSE(row->rowImage().pixel(x, y)) << "freed columns are white";
    EXPECT_EQ(row->caretIndex(), 1);
}

TEST_F(RowModelTest, DeletingAtTheEndLeavesStalePixelsThatTheNextCharacterCovers)
{
    type("AB");
    row->DeleteRange(1, 2, false);
    bool stale = false;
    for (int y = 0; y < 16; ++y)
        stale |= row->rowImage().pixel(6, y);
    EXPECT_TRUE(stale);
    type("C");
    EXPECT_TRUE(sameLeds(read(1), glyph('C', ledtype::k16), 16));
}

TEST_F(RowModelTest, ElevenLedCharactersReadBackElevenRowsHigh)
{
    row->SetLedType(ledtype::k11, false);
    type("A");
    const ChrRecord a = read(0);
    EXPECT_EQ(int(a.height), 11);
    EXPECT_EQ(int(a.width), 6);
    EXPECT_EQ(a.byteCount, 12);
    EXPECT_EQ(a.kind, 0);
    EXPECT_EQ(a.code, 'A');
    // The top eleven of the glyph's sixteen rows are the row.
    EXPECT_TRUE(sameLeds(a, glyph('A', ledtype::k11), 11));
}

TEST_F(RowModelTest, ExtractRecordsCountsAndClamps)
{
    type("ABC");
    ChrRecord records[3];
    EXPECT_EQ(row->ExtractRecords(3, 0, records), 3);
    EXPECT_EQ(records[2].code, 'C');
    EXPECT_EQ(row->ExtractRecords(1, 1, records), 0);
    EXPECT_EQ(row->ExtractRecords(0, 2, records), 0);
    EXPECT_EQ(row->ExtractRecords(99, -5, records), 3);
    EXPECT_EQ(row->ExtractRecords(3, 1).size(), 2u);
}

TEST_F(RowModelTest, DamagedRecordsAreRefused)
{
    ChrRecord bad = glyph('A', ledtype::k16);
    for (auto [width, height] : std::initializer_list<std::pair<int, int>>{
             {0, 16}, {-6, 16}, {6, 0}, {6, -16}, {37, 16}, {2000000000, 16}, {1, 1000}, {-2147483647 - 1, 16}}) {
        bad.width = width;
        bad.height = height;
        EXPECT_FALSE(row->InsertGlyph(bad)) << width << "x" << height;
    }
    EXPECT_EQ(row->n(), 0);
    EXPECT_EQ(changes, 0);
    // Wide but legal: 36 columns of 2 bytes fill the 72 column bytes exactly.
    bad.width = 36;
    bad.height = 16;
    EXPECT_TRUE(row->InsertGlyph(bad));
    // A short glyph leaves no stale pixels below it.
    ChrRecord shortGlyph = glyph('A', ledtype::k7);
    row->MoveCaret(-1, false);
    ASSERT_TRUE(row->InsertGlyph(shortGlyph));
    for (int x = 0; x < 6; ++x)
        for (int y = 7; y < 16; ++y)
            ASSERT_FALSE(row->rowImage().pixel(x, y));
}

TEST_F(RowModelTest, InsertRecordsReplacesTheSelectionAndNotifiesOnce)
{
    type("ABCD");
    changes = 0;
    row->setSelection(3, 1);
    const ChrRecord x = glyph('X', ledtype::k16);
    row->InsertRecords(&x, 1);
    EXPECT_EQ(text(), "AXD");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(row->hasSelection());
    EXPECT_EQ(row->caretIndex(), 2);
    row->InsertRecords(&x, 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(RowModelTest, ClearRowEmptiesAndNotifies)
{
    type("AB");
    changes = 0;
    row->ClearRow();
    EXPECT_EQ(row->n(), 0);
    EXPECT_EQ(changes, 1);
    row->ClearRow();
    EXPECT_EQ(changes, 1);
}

TEST_F(RowModelTest, SnapshotReportsUsedWidthAndRows)
{
    auto empty = row->TakeSnapshot();
    EXPECT_EQ(empty.W, 0);
    EXPECT_EQ(empty.N, 0);
    type("AW");
    auto shot = row->TakeSnapshot();
    EXPECT_EQ(shot.W, 18);
    EXPECT_EQ(shot.N, 16);
    for (int x = 0; x < 18; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_EQ(shot.image.pixel(x, y), row->rowImage().pixel(x, y));
}

TEST_F(RowModelTest, EditorWritesChangeWhatReadersSee)
{
    type("A");
    int repaints = 0, pixelChanges = 0;
    QObject::connect(row.get(), &RowModel::repaintRequested, [&](RowModel::Repaint how) {
        EXPECT_EQ(how, RowModel::Repaint::InvalidateNoErase);
        ++repaints;
    });
    QObject::connect(row.get(), &RowModel::pixelsChanged, [&] { ++pixelChanges; });
    const bool before = row->rowImage().pixel(0, 0);
    row->PutPixel(0, 0, !before);
    EXPECT_EQ(columnBit(read(0).columns, 16, 5, 15), !before);
    MonoImage blank(160, 16);
    row->PutImage(blank);
    EXPECT_EQ(read(0).columns[0], 0);
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(pixelChanges, 2);
    EXPECT_EQ(changes, 0);  // writes of the editor are no edits of the characters
    row->PutPixel(-1, 500, true);  // outside: ignored
    EXPECT_EQ(row->n(), 1);
}

TEST_F(RowModelTest, UndoGoesBackFiveStepsAndNoFurther)
{
    for (const char *c : {"A", "B", "C", "D", "E", "F"}) {
        row->PushUndo();
        type(c);
    }
    EXPECT_EQ(row->undoDepth(), 5);
    const QString states[] = {"ABCDE", "ABCD", "ABC", "AB", "A"};
    for (const QString &expected : states) {
        ASSERT_TRUE(row->Undo());
        EXPECT_EQ(text(), expected);
    }
    EXPECT_FALSE(row->Undo());
    EXPECT_EQ(text(), "A");
    for (const char *expected : {"AB", "ABC", "ABCD", "ABCDE", "ABCDEF"}) {
        ASSERT_TRUE(row->Redo());
        EXPECT_EQ(text(), expected);
    }
    EXPECT_FALSE(row->Redo());
}

TEST_F(RowModelTest, PushUndoOnAnUnchangedRowAddsNoStep)
{
    row->PushUndo();
    type("A");
    EXPECT_EQ(row->PushUndo(), 2);
    EXPECT_EQ(row->PushUndo(), 0);
    EXPECT_EQ(row->undoDepth(), 2);
}

TEST_F(RowModelTest, UndoThenANewEditEmptiesRedo)
{
    row->PushUndo();
    type("A");
    row->PushUndo();
    type("B");
    ASSERT_TRUE(row->Undo());
    EXPECT_EQ(row->redoDepth(), 1);
    row->PushUndo();
    type("C");
    EXPECT_EQ(row->redoDepth(), 0);
    EXPECT_FALSE(row->Redo());
    EXPECT_EQ(text(), "AC");
}

TEST_F(RowModelTest, UndoRestoresTheLedsNotJustTheCodes)
{
    type("AB");
    row->PushUndo();
    row->PutPixel(0, 0, true);
    row->PutPixel(1, 1, true);
    const ChrRecord edited = read(0);
    row->PushUndo();
    row->DeleteRange(0, 2, false);
    ASSERT_TRUE(row->Undo());
    EXPECT_EQ(std::memcmp(read(0).columns, edited.columns, 12), 0);
    EXPECT_EQ(row->caretIndex(), 2);
}

TEST_F(RowModelTest, SetLedTypeClearsRowAndHistory)
{
    row->PushUndo();
    type("AB");
    row->setSelection(0, 1);
    row->SetLedType(ledtype::k11, false);
    EXPECT_EQ(row->n(), 0);
    EXPECT_EQ(row->undoDepth(), 0);
    EXPECT_FALSE(row->hasSelection());
    EXPECT_EQ(row->rowWidth(), 160);
    EXPECT_EQ(row->height(), 11);
    for (int x = 0; x < 160; ++x)
        ASSERT_FALSE(row->rowImage().pixel(x, 0));
}

TEST_F(RowModelTest, CaretScrollsToStayVisible)
{
    row->setViewWidth(20);  // room for three 6-column characters
    type("ABCDE");
    EXPECT_EQ(row->caretIndex(), 5);
    EXPECT_EQ(row->firstVisible(), 2);
    EXPECT_EQ(row->caretColumn(), 18);
    row->MoveCaret(-100, false);
    EXPECT_EQ(row->caretIndex(), 0);
    EXPECT_EQ(row->firstVisible(), 0);
    row->MoveCaret(100, false);
    EXPECT_EQ(row->caretIndex(), 5);
    EXPECT_EQ(row->firstVisible(), 2);
    // Hit test from the first visible character: inside C, inside E, past the end.
    EXPECT_EQ(row->HitTest(3), 0);
    EXPECT_EQ(row->HitTest(13), 2);
    EXPECT_EQ(row->HitTest(19), 3);
    EXPECT_EQ(row->HitTest(-4), 0);
    row->DeleteRange(0, 5, false);
    EXPECT_EQ(row->firstVisible(), 0);
    EXPECT_EQ(row->caretIndex(), 0);
}
