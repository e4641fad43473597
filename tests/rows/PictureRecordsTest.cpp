// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures into rows: which pixels light, scaling and cutting, the records' limits, the
// row's room, and damaged or special files.

#include "rows/Columns.h"
#include "rows/PictureRecords.h"
#include "rows/RowModel.h"
#include "support/FileTraps.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

bool narrowGlyph(uint16_t, int ledType, ChrRecord &record)
{
    record.width = 6;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(6 * bytesPerColumn(record.height));
    return true;
}

/// The LEDs a row shows in its columns from..to.
int litIn(const RowModel &row, int from, int to)
{
    int lit = 0;
    for (int y = 0; y < row.height(); ++y)
        for (int x = from; x < to; ++x)
            lit += row.rowImage().pixel(x, y);
    return lit;
}

} // namespace

TEST(PictureRecords, OpaqueDarkPixelsLightAndTheRestStaysOff)
{
    QImage picture(6, 16, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    const QRgb shades[6] = {qRgb(0, 0, 0), qRgb(127, 127, 127), qRgb(128, 128, 128), qRgba(0, 0, 0, 127),
                            qRgba(0, 0, 0, 128), qRgba(0, 0, 0, 0)};
    for (int x = 0; x < 6; ++x)
        picture.setPixel(x, 3, shades[x]);
    const MonoImage leds = pictureLeds(picture, 16, true);
    ASSERT_EQ(leds.width(), 6);
    const bool lit[6] = {true, true, false, false, true, false};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(leds.pixel(x, 3), lit[x]) << x;
    EXPECT_FALSE(leds.pixel(0, 2));
}

TEST(PictureRecords, AnAntiAliasedPictureIsScaledToTheLedsWithItsAspect)
{
    // A black disc on a transparent ground, 64 x 32, at 16 LEDs: 32 x 16.
    QImage picture(64, 32, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(16, 0, 32, 32));
    }
    const MonoImage leds = pictureLeds(picture, 16, true);
    EXPECT_EQ(leds.width(), 32);
    EXPECT_EQ(leds.height(), 16);
    EXPECT_TRUE(leds.pixel(16, 8));
    EXPECT_FALSE(leds.pixel(1, 1)) << "the transparent ground stays off";
    // Not scaled: cut to the LEDs' height.
    const MonoImage cut = pictureLeds(picture, 16, false);
    EXPECT_EQ(cut.width(), 64);
    EXPECT_TRUE(cut.pixel(32, 15));
}

TEST(PictureRecords, RecordsKeepTheirBytesAndTheRowsRoom)
{
    QImage wide(100, 16, QImage::Format_RGB32);
    wide.fill(Qt::black);
    const PictureRecords all = pictureRecords(wide, 16, true, 1000, 50);
    ASSERT_EQ(all.records.size(), 3u);  // 36 + 36 + 28 columns at two bytes a column
    for (const ChrRecord &record : all.records) {
        EXPECT_TRUE(fitsRowHeight(record, 16));
        EXPECT_EQ(record.code, kPictureCode);
    }
    EXPECT_EQ(all.columns, 100);
    EXPECT_EQ(all.leftOut, 0);
    const PictureRecords cut = pictureRecords(wide, 16, true, 40, 50);
    EXPECT_EQ(cut.columns, 40);
    EXPECT_EQ(cut.leftOut, 60);
    EXPECT_EQ(pictureRecords(wide, 16, true, 1000, 1).columns, 36);
    const int sevenLedWidth = pictureRecords(wide, 7, false, 1000, 50).records.front().width;  // a packed field
    EXPECT_EQ(sevenLedWidth, 72);
    EXPECT_TRUE(pictureRecords(QImage(), 16, true, 100, 50).records.empty());
}

TEST(PictureRecords, ARowTakesAPictureAtItsCaretAsOneUndoStep)
{
    RowModel row(&narrowGlyph);
    row.SetLedType(ledtype::k16, false);
    for (const char c : {'a', 'b'})
        if (row.AddChar(uint16_t(c), false))
            row.MoveCaret(1, false);
    row.MoveCaret(-1, false);  // between a and b
    QImage picture(10, 16, QImage::Format_RGB32);
    picture.fill(Qt::black);
    EXPECT_EQ(row.InsertPicture(picture, true), 0);
    EXPECT_EQ(row.n(), 3);
    EXPECT_EQ(row.usedWidth(), 22);
    EXPECT_EQ(litIn(row, 6, 16), 10 * 16);
    EXPECT_EQ(litIn(row, 0, 6), 0);
    EXPECT_TRUE(row.Undo());
    EXPECT_EQ(row.n(), 2);
    // A picture wider than the room is cut, and says by how much.
    QImage huge(1000, 16, QImage::Format_RGB32);
    huge.fill(Qt::black);
    const int room = row.rowWidth() - row.usedWidth();
    EXPECT_EQ(row.InsertPicture(huge, true), 1000 - room);
    EXPECT_EQ(row.usedWidth(), row.rowWidth());
    EXPECT_EQ(row.InsertPicture(huge, true), -1) << "a full row takes nothing";
}

TEST(PictureRecords, OnlyPictureFilesAreRead)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("p.png"), garbage = dir.filePath("g.png"), fifo = dir.filePath("f.png");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(png));
    ASSERT_TRUE(test::writeBytes(garbage, "\x89PNG garbage"));
    ASSERT_TRUE(test::makeFifo(fifo));
    EXPECT_EQ(readPicture(png).size(), QSize(4, 4));
    EXPECT_TRUE(readPicture(garbage).isNull());
    EXPECT_TRUE(readPicture(fifo).isNull()) << "a pipe is refused, not waited on";
    EXPECT_TRUE(readPicture(dir.filePath("none.png")).isNull());
}
