// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation as an animated GIF, decoded again: a frame a tick of one pass, the LED
// dots exact, the fan within the quantisation's error.

#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "preview/AnimationGif.h"
#include "preview/Simulation.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessivo {
namespace {

TEST(AnimationGif, EveryTickOfOnePassWithTheDotsExact)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    MessageDocument document;
    document.ChangeLedType(ledtype::k16, true);
    for (const char *text : {"Hi", "Fan"}) {
        const int k = document.row(0).n() == 0 ? 0 : 1;
        document.EnableRow(k, true);
        for (const char *c = text; *c; ++c)
            document.row(k).TypeChar(uint16_t(*c));
    }
    document.setLedColor(0x0000FF00);  // green
    const std::vector<QImage> frames = animationFrames(document);
    ASSERT_GT(frames.size(), size_t(2 * (sim::kPauseTicks + 1)));
    const QByteArray gif = encodeAnimationGif(frames);
    ASSERT_FALSE(gif.isEmpty());

    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    EXPECT_EQ(reader.imageCount(), int(frames.size()));
    EXPECT_EQ(reader.loopCount(), -1) << "loops for ever";
    const QRgb green = qRgb(0, 255, 0);
    for (size_t k = 0; k < frames.size(); ++k) {
        const QImage decoded = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(decoded.isNull()) << k;
        const QImage shown = frames[k].convertToFormat(QImage::Format_ARGB32);
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb want = shown.pixel(x, y), got = decoded.pixel(x, y);
                if (qAlpha(want) < 128) {
                    ASSERT_LT(qAlpha(got), 128) << k << " " << x << "," << y;
                    continue;
                }
                if ((want | 0xFF000000u) == green) {
                    ASSERT_EQ(got | 0xFF000000u, green) << "an LED dot, frame " << k << " " << x << "," << y;
                    continue;
                }
                worst = std::max({worst, std::abs(qRed(want) - qRed(got)), std::abs(qGreen(want) - qGreen(got)),
                                  std::abs(qBlue(want) - qBlue(got))});
            }
        EXPECT_LE(worst, 48) << "frame " << k;
    }
    // Nothing to play, nothing to write.
    MessageDocument empty;
    EXPECT_TRUE(animationFrames(empty).empty());
    QTemporaryDir dir;
    EXPECT_FALSE(WriteAnimationGif(dir.filePath("none.gif"), empty));
    EXPECT_TRUE(WriteAnimationGif(dir.filePath("fan.gif"), document));
    FreeGlyphFiles();
}

} // namespace
} // namespace tessivo
