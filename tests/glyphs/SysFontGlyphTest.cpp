// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Glyphs rasterised from installed fonts: trimming, gap columns, the width limit, and
// a face change reaching every LED type.

#include "glyphs/GlyphFiles.h"
#include "glyphs/SysFontGlyph.h"
#include "rows/Columns.h"
#include "rows/LedType.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace tessivo {
namespace {

class SysFontGlyphTest : public ::testing::Test {
protected:
    void TearDown() override { FreeTypeFonts(); }
    ChrRecord glyph(int type, char16_t code, bool *found = nullptr) const
    {
        ChrRecord record = emptyRecord();
        const bool ok = GetSysFontGlyph(face, types[type], code, record);
        if (found)
            *found = ok;
        return record;
    }
    QFont typeFont(int type) const { return tessivo::typeFont(face, type); }

    QString face = QStringLiteral("DejaVu Sans");
    const LedTypeTable types;

    static QString picture(const ChrRecord &r)
    {
        QString out;
        for (int y = int(r.height) - 1; y >= 0; --y) {
            for (int x = int(r.width) - 1; x >= 0; --x)
                out += columnBit(r.columns, r.height, x, y) ? '#' : '.';
            out += '\n';
        }
        return out;
    }
    static bool columnLit(const ChrRecord &r, int column)
    {
        for (int y = 0; y < r.height; ++y)
            if (columnBit(r.columns, r.height, column, y))
                return true;
        return false;
    }
};

TEST_F(SysFontGlyphTest, RecordsAreAtMostTheLedCountHighAndAddTheGap)
{
    for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        const LedTypeInfo &info = types[type];
        bool found = false;
        const ChrRecord r = glyph(type, u'H', &found);
        ASSERT_TRUE(found) << type;
        EXPECT_LE(int(r.height), info.ledCount);
        EXPECT_GT(int(r.width), info.gap);
        EXPECT_EQ(int(r.byteCount), std::min(72, int(r.width) * bytesPerColumn(r.height)));
        EXPECT_EQ(int(r.kind), 0);
        // The gap columns right of the character are unlit; column 0 is the rightmost.
        for (int c = 0; c < info.gap; ++c)
            EXPECT_FALSE(columnLit(r, c)) << type << " column " << c;
        if (info.gap == 0) {
            EXPECT_TRUE(columnLit(r, 0) || columnLit(r, 1)) << picture(r).toStdString();
        }
    }
}

TEST_F(SysFontGlyphTest, CellsTallerThanTheLedsAreCutToThem)
{
    // The 7-LED font's cell is 8 rows: one row goes. Which one depends on the top row.
    const QFontMetrics metrics(typeFont(ledtype::k7));
    EXPECT_LE(metrics.height(), typeFontSpec(ledtype::k7).height);
    const ChrRecord r = glyph(ledtype::k7, u'H');
    EXPECT_EQ(int(r.height), metrics.height() > 7 ? 7 : metrics.height());
    // The 16-LED font's cell is at most 16 rows and is never cut.
    const QFontMetrics metrics16(typeFont(ledtype::k16));
    EXPECT_EQ(int(glyph(ledtype::k16, u'H').height), metrics16.height());
}

TEST_F(SysFontGlyphTest, SpaceIsBlankColumnsOfItsAdvancePlusTheGap)
{
    for (int type : {ledtype::k7, ledtype::k16}) {
        bool found = false;
        const ChrRecord r = glyph(type, u' ', &found);
        ASSERT_TRUE(found);
        const int advance = QFontMetrics(typeFont(type)).horizontalAdvance(QChar(u' '));
        const LedTypeInfo &info = types[type];
        EXPECT_EQ(int(r.width), (advance > info.glyphWidth ? advance - 1 : advance) + info.gap) << type;
        for (int i = 0; i < r.byteCount; ++i)
            EXPECT_EQ(r.columns[i], 0);
    }
}

TEST_F(SysFontGlyphTest, WideCharactersStayInsideTheColumnBytes)
{
    // A face with wide glyphs at a stretched size: no record may promise more columns
    // than its 72 bytes hold.
    face = QStringLiteral("WenQuanYi Zen Hei");
    for (char16_t code : {u'W', u'M', u'中', u'@', u'\uFDFD', u'\u2E3B'}) {
        for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
            bool found = false;
            const ChrRecord r = glyph(type, code, &found);
            if (!found)
                continue;
            EXPECT_TRUE(fitsRowHeight(r, types[type].ledCount)) << type << " " << int(code);
            EXPECT_LE(int64_t(r.width) * bytesPerColumn(r.height), 72);
        }
    }
}

TEST_F(SysFontGlyphTest, AFaceChangeReachesAllThreeTypes)
{
    ChrRecord before[3], after[3];
    for (int type = 0; type < 3; ++type)
        before[type] = glyph(type, u'g');
    face = QStringLiteral("DejaVu Serif");
    for (int type = 0; type < 3; ++type) {
        after[type] = glyph(type, u'g');
        EXPECT_EQ(QFontInfo(typeFont(type)).family(), "DejaVu Serif");
        EXPECT_NE(picture(before[type]), picture(after[type])) << type;
    }
}

TEST_F(SysFontGlyphTest, AFaceThatIsNotInstalledFallsBackToAnotherFont)
{
    face = QStringLiteral("No Such Face 12345");
    bool found = false;
    const ChrRecord r = glyph(ledtype::k16, u'A', &found);
    EXPECT_TRUE(found);
    EXPECT_TRUE(isValidRecord(r));
    face.clear();  // empty: the system chooses
    glyph(ledtype::k11, u'A', &found);
    EXPECT_TRUE(found);
}

TEST_F(SysFontGlyphTest, InstalledFontSourceFeedsTheGlyphLookup)
{
    ChrRecord r = emptyRecord();
    EXPECT_TRUE(GetGlyph({false, face}, u'中', types[ledtype::k16], r));
    EXPECT_GT(int(r.width), 0);
}

} // namespace
} // namespace tessivo

#include "glyphs/FontComboBox.h"

namespace tessivo {
namespace {

TEST(FontListShared, OneListWhileAnyBoxLivesThenBuiltAnew)
{
    std::weak_ptr<const std::vector<CFontInfo>> watch;
    {
        CFontComboBox a;
        CFontComboBox b;
        ASSERT_GT(a.count(), 0);
        EXPECT_EQ(a.entry(0), b.entry(0));  // the same entries
        watch = acquireFontList();
        EXPECT_FALSE(watch.expired());
    }
    // With the last box gone, the list went too; the next box builds it anew.
    EXPECT_TRUE(watch.expired());
    const auto again = acquireFontList();
    EXPECT_FALSE(again->empty());
    // No vertical faces and no repeated names.
    QStringList names;
    for (const CFontInfo &info : *again) {
        EXPECT_FALSE(info.name.startsWith(QLatin1Char('@')));
        EXPECT_FALSE(names.contains(info.name));
        names << info.name;
    }
}

TEST(FontListShared, TheBoxOffersEachFamilyOnceSortedWithoutRegardToCase)
{
    CFontComboBox box;
    const auto list = acquireFontList();
    QStringList expected;
    for (const CFontInfo &info : *list)
        if (!expected.contains(info.name))
            expected << info.name;
    ASSERT_EQ(box.count(), expected.size());
    for (int i = 0; i < box.count(); ++i) {
        ASSERT_TRUE(box.entry(i)) << i;
        EXPECT_EQ(box.entry(i)->name, box.itemText(i));
        EXPECT_TRUE(expected.contains(box.itemText(i)));
        if (i > 0) {
            EXPECT_LE(QString::compare(box.itemText(i - 1), box.itemText(i), Qt::CaseInsensitive), 0) << i;
        }
    }
    EXPECT_EQ(box.currentIndex(), -1);
    // A mask that takes no family leaves the box empty; all kinds bring every family back.
    box.setFontTypeMask(0);
    EXPECT_EQ(box.count(), 0);
    box.setFontTypeMask(fonttype::kAll);
    EXPECT_EQ(box.count(), expected.size());
}

} // namespace
} // namespace tessivo
