// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/MessageDocument.h"
#include "document/ProjectFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace tessivo;

namespace {

bool narrowGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    record.width = 6;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(6 * bytesPerColumn(record.height));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t(code * 3 + i);
    return true;
}

/// A message whose rows open as they are typed into, as in the main window.
struct Rows {
    explicit Rows(int ledType) : doc(LedTypeTable(), &narrowGlyph) { doc.ChangeLedType(ledType, true); }
    void type(int k, const char *text)
    {
        doc.EnableRow(k, true);
        for (const char *c = text; *c; ++c)
            if (doc.row(k).AddChar(uint16_t(*c), false))
                doc.row(k).MoveCaret(1, false);
    }
    const RowModel &row(int k) const { return doc.row(k); }
    QByteArray serialize(bool useMiddle)
    {
        doc.setUseMiddle(useMiddle);
        return SerializeProject(doc);
    }
    bool write(const QString &path, bool useMiddle)
    {
        doc.setUseMiddle(useMiddle);
        return WriteProject(path, doc);
    }

    MessageDocument doc;
};

QByteArray header(uint32_t magic, int16_t rowCount, std::initializer_list<int16_t> counts)
{
    ProjectHeader h{};
    h.magic = magic;
    h.rowCount = rowCount;
    int i = 0;
    for (int16_t c : counts)
        h.counts[i++] = c;
    return QByteArray(reinterpret_cast<const char *>(&h), sizeof h);
}

class ProjectFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_F(ProjectFileTest, TwoSevenLedRowsAsBytes)
{
    Rows rows(ledtype::k7);
    rows.type(0, "abc");
    rows.type(1, "defgh");
    rows.doc.setEffects(0, {1, 0, 2});
    rows.doc.setEffects(1, {6, 0, 0});
    const QByteArray bytes = rows.serialize(false);
    ASSERT_EQ(bytes.size(), 812);
    EXPECT_EQ(bytes.left(4), QByteArray("\x45\x23\x11\x20"));
    ProjectHeader h;
    std::memcpy(&h, bytes.constData(), sizeof h);
    EXPECT_EQ(int(h.ledType), 0);
    EXPECT_EQ(int(h.rowWidth), 120);
    EXPECT_EQ(int(h.ledCount), 7);
    EXPECT_EQ(int(h.rowCount), 2);
    EXPECT_EQ(int(h.effects[0]), 0x0201);
    EXPECT_EQ(int(h.effects[1]), 0x0006);
    EXPECT_EQ(int(h.counts[0]), 3);
    EXPECT_EQ(int(h.counts[1]), 5);
    EXPECT_EQ(int(h.counts[2]), 0);
}

TEST_F(ProjectFileTest, MiddleEffectsShareTheLowByte)
{
    EXPECT_EQ(packEffects({2, 3, 4}, true), 0x0432);
    const RowEffects back = unpackEffects(0x0432, true);
    EXPECT_EQ(back.opening, 2);
    EXPECT_EQ(back.middle, 3);
    EXPECT_EQ(back.closing, 4);
    EXPECT_EQ(packEffects({2, 3, 4}, false), 0x0402);
    Rows rows(ledtype::k16);
    EXPECT_EQ(rows.serialize(true).left(4), QByteArray("\x45\x23\x11\x30"));
}

TEST_F(ProjectFileTest, SavedRowsOpenAgainByteForByte)
{
    Rows rows(ledtype::k11);
    rows.type(0, "Hello");
    rows.type(1, "");
    rows.type(2, "World");
    rows.doc.setEffects(2, {3, 1, 5});
    const QString path = dir.filePath("rows.LDAT");
    ASSERT_TRUE(rows.write(path, true));
    const std::optional<Project> project = ReadProject(path);
    ASSERT_TRUE(project);
    EXPECT_TRUE(project->useMiddle());
    EXPECT_EQ(project->rowCount(), 3);
    EXPECT_EQ(project->count(0), 5);
    EXPECT_EQ(project->count(1), 0);
    EXPECT_EQ(project->firstRecord[2], 5);
    EXPECT_EQ(project->effects(2).middle, 1);
    const std::vector<ChrRecord> world = rows.row(2).ExtractRecords(5, 0);
    for (int i = 0; i < 5; ++i) {
        const ChrRecord &stored = project->records[size_t(5 + i)];
        EXPECT_EQ(stored.code, world[size_t(i)].code);
        EXPECT_EQ(int(stored.height), 11);
        EXPECT_EQ(stored.kind, 0);
        EXPECT_EQ(std::memcmp(stored.columns, world[size_t(i)].columns, stored.byteCount), 0);
    }
    // Writing the same rows again gives the same bytes.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), rows.serialize(true));
}

TEST_F(ProjectFileTest, OnlyOneEmptyEnabledRowWritesRowCountOne)
{
    Rows rows(ledtype::k16);
    const std::optional<Project> project = ParseProject(rows.serialize(false));
    ASSERT_TRUE(project);
    EXPECT_EQ(project->rowCount(), 1);
    EXPECT_EQ(project->count(0), 0);
}

TEST_F(ProjectFileTest, RowCountsAreClampedAndEmptyProjectsOpen)
{
    QByteArray forty = header(project::kMagic, 40, {1});
    ChrRecord one = emptyRecord();
    narrowGlyph('a', ledtype::k7, one);
    forty.append(reinterpret_cast<const char *>(&one), sizeof one);
    const std::optional<Project> clamped = ParseProject(forty);
    ASSERT_TRUE(clamped);
    EXPECT_EQ(clamped->rowCount(), 32);
    EXPECT_EQ(clamped->records.size(), 1u);

    const std::optional<Project> empty = ParseProject(header(project::kMagicMiddle, 0, {}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_TRUE(empty->useMiddle());
    EXPECT_TRUE(ParseProject(header(project::kMagic, -5, {})));
}

TEST_F(ProjectFileTest, DamagedFilesAreRefused)
{
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray(139, '\0'),
        header(0x12345678, 1, {0}),
        header(project::kMagic, 2, {1, -1}),          // a negative count
        header(project::kMagic, 1, {2}) + QByteArray(84, '\0'),   // promises two, holds one
        header(project::kMagic, 1, {32767}),
        header(project::kMagic, 2, {-32768, 32767}),
    };
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(ParseProject(bytes)) << bytes.size();
    EXPECT_FALSE(ReadProject(dir.filePath("missing.LDAT")));
}

TEST_F(ProjectFileTest, AFailedSaveLeavesTheOldProject)
{
    Rows rows(ledtype::k7);
    rows.type(0, "keep");
    const QString path = dir.filePath("keep.LDAT");
    ASSERT_TRUE(rows.write(path, false));
    EXPECT_FALSE(rows.write(dir.filePath("no/such/folder/x.LDAT"), false));
    EXPECT_FALSE(rows.write(dir.path(), false));  // a folder
    const std::optional<Project> project = ReadProject(path);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->count(0), 4);
}

TEST_F(ProjectFileTest, RecordsNoGlyphSourceGivesRefuseTheFile)
{
    // A record 2147483647 rows high: refused before its bytes per column are counted.
    for (const char *name : {"project-height-intmax.LDAT", "project-height-intmax-w3.LDAT"})
        EXPECT_FALSE(ReadProject(QStringLiteral(TESSIVO_TEST_DATA "/repro/") + QLatin1String(name))) << name;

    Rows rows(ledtype::k7);
    rows.type(0, "ab");
    const QByteArray good = rows.serialize(false);
    ASSERT_TRUE(ParseProject(good));
    const struct { int offset; int32_t value; } damaged[] = {
        {2, 0}, {2, -6}, {2, 73}, {6, 0}, {6, 17}, {6, INT32_MAX}, {6, INT32_MIN}};
    for (const auto &d : damaged) {
        QByteArray bytes = good;
        std::memcpy(bytes.data() + sizeof(ProjectHeader) + 84 + d.offset, &d.value, 4);
        EXPECT_FALSE(ParseProject(bytes)) << d.offset << " " << d.value;
    }
    QByteArray tooMany = good;
    tooMany[qsizetype(sizeof(ProjectHeader) + 11)] = char(200);  // byte count past the columns
    EXPECT_FALSE(ParseProject(tooMany));
}

TEST_F(ProjectFileTest, AWideShortGlyphNeverEntersATallerRow)
{
    // An 11-LED project whose first record is 40 columns of 7 rows: it does not fit the
    // row's height, so the row keeps nothing of it (and the two records after it).
    const std::optional<Project> project = ReadProject(QStringLiteral(TESSIVO_TEST_DATA "/repro/wide-short-glyph.LDAT"));
    ASSERT_TRUE(project);
    Rows rows(ledtype::k16);
    const std::vector<CutRow> cut = rows.doc.ApplyProject(*project);
    EXPECT_EQ(rows.doc.ledType(), ledtype::k11);
    EXPECT_EQ(rows.doc.row(0).n(), 0);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].stored, 3);
    EXPECT_EQ(cut[0].kept, 0);
    // What the row holds saves and reopens without a byte changing.
    const QByteArray saved = SerializeProject(rows.doc);
    Rows reopened(ledtype::k7);
    reopened.doc.ApplyProject(*ParseProject(saved));
    EXPECT_EQ(SerializeProject(reopened.doc), saved);
}
