// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation window in the main window: where it sits, Start and Stop, the frame it
// shows, the LED colour, and rows rebuilt while it plays.

#include "support/DialogFixture.h"

#include "preview/DemoWnd.h"
#include "ui/Pictures.h"

#include <QPainter>

namespace tessivo::test {
namespace {

class DemoWndTest : public DialogFixture {
protected:
    CDemoWnd *demo() { return dialog->demoWindow(); }
    /// The picture a frame starts from.
    static QImage bare() { return transparentWhite(pictures::fanFrontView(sim::kFrameSize)); }
    /// The frame the geometry gives for the demo's current state.
    QImage expectedFrame(uint32_t ledColor)
    {
        QImage frame = bare();
        const Simulation &s = demo()->simulation();
        if (s.current()) {
            const QRgb colour = qRgb(int(ledColor & 0xFF), int((ledColor >> 8) & 0xFF), int((ledColor >> 16) & 0xFF));
            ForEachDot(s.state(), *s.current(), 192, 192, [&](int x, int y) { frame.setPixel(x, y, colour); });
        }
        return frame;
    }
    int litPixels(const QImage &frame)
    {
        const QImage picture = bare();
        int n = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                n += frame.pixel(x, y) != picture.pixel(x, y);
        return n;
    }
};

TEST_F(DemoWndTest, SitsOnItsPlaceWithABorderAroundA192PixelSquare)
{
    CDemoWnd *window = demo();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->objectName(), "id107");
    EXPECT_EQ(window->accessibleName(), "Simulation");
    EXPECT_EQ(window->contentsRect().size(), QSize(192, 192));
    EXPECT_EQ(window->size(), QSize(194, 194));
    EXPECT_EQ(window->pos(), control<QWidget>(1006)->pos());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(DemoWndTest, StartWithoutTextSaysSoAndStopIsOnlyForPlaying)
{
    dialog->OnStart();
    EXPECT_EQ(messages, QStringList{"   No - data!"});
    EXPECT_EQ(styles.back(), mb::kOk | mb::kIconExclamation);
    EXPECT_FALSE(demo()->playing());
    EXPECT_FALSE(control<QWidget>(1011)->isEnabled());

    type(0, QStringLiteral("Hi"));
    QTest::mouseClick(control<QWidget>(1010), Qt::LeftButton);
    EXPECT_TRUE(demo()->playing());
    EXPECT_TRUE(control<QWidget>(1011)->isEnabled());
    QTest::mouseClick(control<QWidget>(1011), Qt::LeftButton);
    EXPECT_FALSE(demo()->playing());
    EXPECT_FALSE(control<QWidget>(1011)->isEnabled());
    EXPECT_EQ(demo()->composeFrame(), bare());  // the next paint shows the bare picture
}

TEST_F(DemoWndTest, AFrameIsThePictureWithTheDotsTheGeometryGives)
{
    type(0, QStringLiteral("AB"));
    document.setEffects(0, {6, 0, 6});  // all at once: the whole row from the first frame
    dialog->OnStart();
    for (int tick = 0; tick < 3; ++tick) {
        const QImage frame = demo()->composeFrame();
        EXPECT_EQ(frame, expectedFrame(0x000000FF)) << tick;
        EXPECT_GT(litPixels(frame), 100);
        demo()->Tick();
    }
}

TEST_F(DemoWndTest, ANewLedColourShowsInTheNextFrame)
{
    type(0, QStringLiteral("W"));
    document.setEffects(0, {6, 0, 6});
    dialog->OnStart();
    dialog->OnCommand(dlg::kYellow);
    EXPECT_EQ(demo()->composeFrame(), expectedFrame(0x0000FFFF));
    bool yellow = false;
    const QImage frame = demo()->composeFrame();
    for (int y = 0; y < 192 && !yellow; ++y)
        for (int x = 0; x < 192 && !yellow; ++x)
            yellow = frame.pixel(x, y) == qRgb(255, 255, 0);
    EXPECT_TRUE(yellow);
}

TEST_F(DemoWndTest, RowsRebuiltWhilePlayingNeverReachThePlayList)
{
    type(0, QStringLiteral("ABC"));
    type(1, QStringLiteral("DE"));
    dialog->OnStart();
    const MonoImage first = demo()->simulation().playList()[0].rowImage;
    for (int tick = 0; tick < 30; ++tick)
        demo()->Tick();
    // Another LED type, Clear, a row typed over: the simulation plays what it took.
    document.ChangeLedType(ledtype::k7, true);
    demo()->Tick();
    answer = mb::kIdNo;
    type(0, QStringLiteral("xyz"));
    dialog->OnClear();
    for (int tick = 0; tick < 200; ++tick) {
        demo()->Tick();
        demo()->composeFrame();
    }
    EXPECT_TRUE(demo()->playing());
    EXPECT_EQ(demo()->simulation().playList().size(), 2u);
    EXPECT_EQ(demo()->simulation().playList()[0].rowImage, first);
    // A second Start takes the rows as they are now.
    type(0, QStringLiteral("q"));
    dialog->OnStart();
    EXPECT_EQ(demo()->simulation().playList().size(), 1u);
    EXPECT_EQ(demo()->simulation().current()->ledCount, 7);
}

TEST_F(DemoWndTest, PicturesOfEveryEffect)
{
    const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS");
    type(0, QStringLiteral("Tessivo"));
    const auto shoot = [&](const QString &name) {
        const QImage frame = demo()->grab().toImage();
        EXPECT_EQ(frame.size(), QSize(194, 194) * frame.devicePixelRatio());
        if (!out.isEmpty())
            frame.save(QString::fromLocal8Bit(out) + "/demo-" + name + ".png");
    };
    document.setUseMiddle(true);
    for (int open = 0; open < 7; ++open) {
        document.setEffects(0, {open, open % 4, open});
        dialog->OnStart();
        for (int tick = 0; tick < 6; ++tick)
            demo()->Tick();
        shoot(QStringLiteral("open%1").arg(open));
        for (int tick = 0; tick < 60 && demo()->simulation().state().phase != 1; ++tick)
            demo()->Tick();
        for (int tick = 0; tick < 15; ++tick)
            demo()->Tick();
        shoot(QStringLiteral("middle%1").arg(open % 4));
        for (int tick = 0; tick < 200 && demo()->simulation().state().phase != 2; ++tick)
            demo()->Tick();
        for (int tick = 0; tick < 4; ++tick)
            demo()->Tick();
        shoot(QStringLiteral("close%1").arg(open));
    }
    for (int type = ledtype::k7; type <= ledtype::k16; ++type) {
        document.ChangeLedType(type, true);
        DialogFixture::type(0, QString::fromUtf16(u"LED 中文"));
        document.setEffects(0, {6, 0, 6});
        dialog->OnStart();
        shoot(QStringLiteral("type%1").arg(type));
    }
}

} // namespace
} // namespace tessivo::test
