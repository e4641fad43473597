// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of the message, on the document alone: enabling, content, the modified
// flag, projects applied with damaged values, Clear, the LED type and the current row.

#include "document/MessageDocument.h"
#include "document/ProjectFile.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <cstring>

namespace tessivo {
namespace {

bool boxGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    record.width = code == 'W' ? 10 : 5;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(record.width * bytesPerColumn(record.height));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t(code ^ (i * 29));
    return code != 0x7F;
}

class MessageDocumentTest : public ::testing::Test {
protected:
    MessageDocumentTest() : doc(LedTypeTable(), &boxGlyph) { doc.ChangeLedType(ledtype::k16, true); }

    /// Typing as the row window does: every character is an edit.
    void type(int k, const char *text)
    {
        for (const char *c = text; *c; ++c)
            doc.row(k).TypeChar(uint16_t(*c));
    }
    std::vector<bool> enabled() const
    {
        std::vector<bool> out;
        for (int k = 0; k < MessageDocument::kRows; ++k)
            out.push_back(doc.isRowEnabled(k));
        return out;
    }
    static std::vector<bool> firstRows(int n)
    {
        std::vector<bool> out(MessageDocument::kRows, false);
        std::fill(out.begin(), out.begin() + n, true);
        return out;
    }
    /// A project's bytes with the given rows; every record is 5 columns of the type.
    static Project project(uint32_t magic, int ledType, std::vector<std::pair<uint16_t, int>> rows)
    {
        ProjectHeader h{};
        h.magic = magic;
        h.ledType = uint16_t(ledType);
        h.rowCount = int16_t(rows.size());
        QByteArray records;
        for (size_t k = 0; k < rows.size(); ++k) {
            h.effects[k] = rows[k].first;
            h.counts[k] = int16_t(rows[k].second);
            for (int i = 0; i < rows[k].second; ++i) {
                ChrRecord r = emptyRecord();
                boxGlyph(uint16_t('a' + i % 26), ledType, r);
                r.code = uint16_t('a' + i % 26);
                records.append(reinterpret_cast<const char *>(&r), sizeof r);
            }
        }
        QByteArray bytes(reinterpret_cast<const char *>(&h), sizeof h);
        return *ParseProject(bytes + records);
    }

    MessageDocument doc;
};

TEST_F(MessageDocumentTest, ARowChangeOpensTheNextRowAndMarksTheMessageModified)
{
    QSignalSpy changed(&doc, &MessageDocument::rowChanged);
    EXPECT_EQ(enabled(), firstRows(1));
    EXPECT_FALSE(doc.modified());
    type(0, "a");
    EXPECT_EQ(enabled(), firstRows(2));
    EXPECT_TRUE(doc.modified());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 0);
    for (int k = 1; k < MessageDocument::kRows; ++k)
        type(k, "b");
    EXPECT_EQ(enabled(), firstRows(12));  // the last row opens nothing beyond it
    // Opening the editor of a row counts as a change too.
    doc.ChangeLedType(ledtype::k7, true);
    doc.setModified(false);
    doc.TouchRow(0);
    EXPECT_EQ(enabled(), firstRows(2));
    EXPECT_TRUE(doc.modified());
    doc.TouchRow(12);  // outside: nothing
    EXPECT_EQ(enabled(), firstRows(2));
}

TEST_F(MessageDocumentTest, OnlyEnabledRowsWithCharactersAreContent)
{
    EXPECT_FALSE(doc.hasContent());
    type(1, "x");  // a row that is disabled holds text
    EXPECT_FALSE(doc.hasContent());
    EXPECT_FALSE(doc.needsSaving());
    type(0, "x");
    EXPECT_TRUE(doc.hasContent());
    EXPECT_EQ(doc.rowsToSend(), 2);
    EXPECT_TRUE(doc.needsSaving());
    doc.setModified(false);
    EXPECT_FALSE(doc.needsSaving());
}

TEST_F(MessageDocumentTest, EveryChangeAProjectHoldsMarksTheMessageModified)
{
    type(0, "ab");
    const auto modifiedBy = [this](const std::function<void()> &change) {
        doc.setModified(false);
        change();
        return doc.modified();
    };
    EXPECT_TRUE(modifiedBy([&] { doc.setEffects(0, {3, 0, 0}); }));
    EXPECT_TRUE(modifiedBy([&] { doc.setEffects(0, {3, 2, 0}); }));
    EXPECT_TRUE(modifiedBy([&] { doc.setEffects(0, {3, 2, 5}); }));
    EXPECT_FALSE(modifiedBy([&] { doc.setEffects(0, {3, 2, 5}); }));  // the same again
    EXPECT_TRUE(modifiedBy([&] { doc.setUseMiddle(true); }));
    EXPECT_TRUE(modifiedBy([&] { doc.row(0).PutPixel(0, 0, !doc.row(0).rowImage().pixel(0, 0)); }));
    EXPECT_TRUE(modifiedBy([&] { type(0, "c"); }));
    EXPECT_TRUE(modifiedBy([&] { doc.row(0).Backspace(); }));
    // Neither the LED colour nor the glyph source is part of a project.
    EXPECT_FALSE(modifiedBy([&] { doc.setLedColor(0x00FF00); }));
    EXPECT_FALSE(modifiedBy([&] { doc.setGlyphSource({false, QStringLiteral("DejaVu Sans")}); }));
}

TEST_F(MessageDocumentTest, EffectsAreClampedToTheirLists)
{
    QSignalSpy spy(&doc, &MessageDocument::effectsChanged);
    doc.setEffects(3, {9, -1, 200});
    EXPECT_EQ(doc.effects(3), (RowEffects{6, 0, 6}));
    EXPECT_EQ(spy.count(), 1);
    doc.setEffects(12, {1, 1, 1});  // outside: nothing
    doc.setEffects(-1, {1, 1, 1});
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(MessageDocumentTest, ApplyingAProjectClampsWhatNoListHolds)
{
    type(0, "old");
    // Effect words with an opening of 9, a middle of 15 and a closing of 200.
    const Project p = project(project::kMagicMiddle, ledtype::k11, {{0xC8F9, 2}, {0x0000, 0}, {0x0312, 1}});
    const std::vector<CutRow> cut = doc.ApplyProject(p);
    EXPECT_TRUE(cut.empty());
    EXPECT_EQ(doc.ledType(), ledtype::k11);
    EXPECT_TRUE(doc.useMiddle());
    EXPECT_EQ(doc.effects(0), (RowEffects{6, 3, 6}));
    EXPECT_EQ(doc.effects(2), (RowEffects{2, 1, 3}));
    EXPECT_EQ(doc.effects(3), RowEffects{});
    EXPECT_EQ(enabled(), firstRows(3));
    EXPECT_EQ(doc.row(0).n(), 2);
    EXPECT_EQ(doc.row(1).n(), 0);
    EXPECT_EQ(doc.row(0).height(), 11);

    // An LED type the program does not know becomes the 7-LED type.
    doc.ApplyProject(project(project::kMagic, 7, {{0, 1}}));
    EXPECT_EQ(doc.ledType(), ledtype::k7);
    EXPECT_FALSE(doc.useMiddle());
}

TEST_F(MessageDocumentTest, AnEmptyProjectDisablesEveryRowAndTheCurrentRowFallsBack)
{
    type(0, "a");
    type(1, "b");
    doc.setCurrentRow(1);
    EXPECT_EQ(doc.currentRow(), 1);
    doc.ApplyProject(project(project::kMagic, ledtype::k16, {}));
    EXPECT_EQ(enabled(), firstRows(0));
    EXPECT_EQ(doc.currentRow(), 0);
}

TEST_F(MessageDocumentTest, RowsThatCannotTakeEveryCharacterAreReported)
{
    // 40 characters of 5 columns in a 144-column row: 28 fit (140 columns).
    const std::vector<CutRow> cut = doc.ApplyProject(project(project::kMagic, ledtype::k16, {{0, 40}, {0, 3}}));
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].row, 0);
    EXPECT_EQ(cut[0].stored, 40);
    EXPECT_EQ(cut[0].kept, 28);
}

TEST_F(MessageDocumentTest, ClearEmptiesEnabledRowsAndTheirEffects)
{
    type(0, "ab");
    type(1, "cd");
    doc.setEffects(0, {1, 0, 2});
    doc.setEffects(1, {3, 0, 4});
    doc.setCurrentRow(1);
    doc.Clear();
    for (int k = 0; k < MessageDocument::kRows; ++k) {
        EXPECT_EQ(doc.row(k).n(), 0) << k;
        EXPECT_EQ(doc.effects(k), RowEffects{}) << k;
    }
    EXPECT_EQ(enabled(), firstRows(1));
    EXPECT_EQ(doc.currentRow(), 0);
    EXPECT_FALSE(doc.hasContent());
}

TEST_F(MessageDocumentTest, ALedTypeChangeEmptiesEveryRow)
{
    QSignalSpy spy(&doc, &MessageDocument::ledTypeChanged);
    type(0, "ab");
    type(1, "cd");
    doc.ChangeLedType(ledtype::k7, false);
    EXPECT_EQ(enabled(), firstRows(3));  // without enableRows the enabling stays
    doc.ChangeLedType(ledtype::k11, true);
    EXPECT_EQ(enabled(), firstRows(1));
    for (int k = 0; k < MessageDocument::kRows; ++k) {
        EXPECT_EQ(doc.row(k).n(), 0);
        EXPECT_EQ(doc.row(k).ledType(), ledtype::k11);
        EXPECT_EQ(doc.row(k).rowWidth(), 160);
    }
    EXPECT_EQ(doc.ledTypeInfo().ledCount, 11);
    EXPECT_EQ(spy.count(), 2);
    doc.ChangeLedType(-4, true);
    EXPECT_EQ(doc.ledType(), ledtype::k7);
}

TEST_F(MessageDocumentTest, TheCurrentRowIsAlwaysAnEnabledRow)
{
    type(0, "a");
    doc.setCurrentRow(1);
    EXPECT_EQ(doc.currentRow(), 1);
    doc.setCurrentRow(5);  // disabled
    EXPECT_EQ(doc.currentRow(), 0);
    doc.setCurrentRow(1);
    doc.EnableRow(1, false);
    EXPECT_EQ(doc.currentRow(), 0);
    doc.setCurrentRow(99);
    EXPECT_EQ(doc.currentRow(), 0);
}

TEST_F(MessageDocumentTest, SavedAndReopenedMessageGivesTheSameBytes)
{
    type(0, "Hello");
    type(1, "WWW");
    doc.setUseMiddle(true);
    doc.setEffects(0, {5, 2, 1});
    doc.setEffects(1, {0, 3, 6});
    const QByteArray bytes = SerializeProject(doc);

    MessageDocument other(LedTypeTable(), &boxGlyph);
    other.ApplyProject(*ParseProject(bytes));
    EXPECT_EQ(SerializeProject(other), bytes);
    EXPECT_EQ(other.row(1).rowImage(), doc.row(1).rowImage());
}

} // namespace
} // namespace tessivo
