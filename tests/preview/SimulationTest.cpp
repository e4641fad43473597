// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The display simulation without a window: the play list, the tick of every effect,
// the pause between rows, Stop, and the dot geometry.

#include "preview/Simulation.h"
#include "support/TestMessage.h"

#include <gtest/gtest.h>
#include <set>

namespace tessivo {
namespace {

/// A row of W columns of N LEDs, every LED lit.
PlayEntry litEntry(int W, int N, int open, int middle, int close, int X = 180)
{
    PlayEntry e;
    e.rowImage = MonoImage(std::max(W, 1), N);
    e.rowImage.fill(true);
    e.usedColumns = W;
    e.ledCount = N;
    e.circleColumns = X;
    e.openEffect = open;
    e.middleEffect = middle;
    e.closeEffect = close;
    return e;
}

struct Step {
    int phaseBefore;
    SimState after;
    bool repaint;
};

/// Ticks one row from its start until its closing is done.
std::vector<Step> playRow(const PlayEntry &entry)
{
    Simulation simulation;
    simulation.Start({entry});
    std::vector<Step> steps;
    while (!simulation.state().rowDone && steps.size() < 1000) {
        const int phase = simulation.state().phase;
        const bool repaint = simulation.Tick();
        steps.push_back({phase, simulation.state(), repaint});
    }
    return steps;
}

bool fullRow(const SimState &s)
{
    return s.colFrom == 0 && s.colTo == s.W && s.ledFrom == 0 && s.ledTo == s.N && s.gapHalf == 0;
}

int count(const std::vector<Step> &steps, int phase, bool (*what)(const SimState &) = nullptr)
{
    int n = 0;
    for (const Step &step : steps)
        if (step.phaseBefore == phase && (!what || what(step.after)))
            ++n;
    return n;
}

TEST(Simulation, CircleColumnsAndArcPerColumnOfTheThreeTypes)
{
    EXPECT_EQ(circleColumnsFor(ledtype::k7, 120), 210);
    EXPECT_EQ(circleColumnsFor(ledtype::k11, 160), 200);
    EXPECT_EQ(circleColumnsFor(ledtype::k11, 180), 225);
    EXPECT_EQ(circleColumnsFor(ledtype::k16, 144), 180);
    const struct { int N, X; float a; } cases[] = {{7, 210, 2.7f}, {11, 200, 2.8f}, {11, 225, 2.4f}, {16, 180, 3.0f}};
    for (const auto &c : cases) {
        Simulation simulation;
        simulation.Start({litEntry(10, c.N, 6, -1, 6, c.X)});
        const DotGeometry g = dotGeometry(192, 192, c.N, simulation.state().arcTimesN);
        EXPECT_FLOAT_EQ(g.a, c.a) << c.N << " " << c.X;
        EXPECT_FLOAT_EQ(g.d, 0.5f / c.a);
        EXPECT_EQ(g.cx, 96);
        EXPECT_EQ(g.R, 88);
    }
}

TEST(Simulation, OpeningsHoldTheFullRowElevenTicksAndAllAtOnceThirtyTwo)
{
    for (int open = 0; open <= 5; ++open) {
        const std::vector<Step> steps = playRow(litEntry(20, 16, open, -1, 0));
        EXPECT_EQ(count(steps, 0, fullRow), 11) << open;
        // Until the row is whole it grows one step a tick.
        EXPECT_EQ(count(steps, 0) - 11, open == 2 || open == 3 ? 15 : open >= 4 ? 4 : 9) << open;
    }
    const std::vector<Step> all = playRow(litEntry(20, 16, 6, -1, 0));
    EXPECT_EQ(count(all, 0), 32);
    EXPECT_EQ(count(all, 0, fullRow), 32);
}

TEST(Simulation, ClosingAllOffIsElevenDarkTicks)
{
    const std::vector<Step> steps = playRow(litEntry(20, 16, 6, -1, 6));
    EXPECT_EQ(count(steps, 2), 11);
    EXPECT_EQ(count(steps, 2, [](const SimState &s) { return s.colTo == 0 && s.colFrom == 0; }), 11);
    // The other closings take the row away a step a tick.
    EXPECT_EQ(count(playRow(litEntry(20, 16, 6, -1, 0)), 2), 10);
    EXPECT_EQ(count(playRow(litEntry(20, 16, 6, -1, 3)), 2), 16);
    EXPECT_EQ(count(playRow(litEntry(20, 16, 6, -1, 5)), 2), 5);
}

TEST(Simulation, RotationsTurnOnceRoundAndEndWhereTheyStarted)
{
    const std::vector<Step> clockwise = playRow(litEntry(20, 16, 6, 1, 0));
    EXPECT_EQ(count(clockwise, 1), 121);
    const std::vector<Step> contra = playRow(litEntry(20, 16, 6, 0, 0));
    EXPECT_EQ(count(contra, 1), 120);
    for (const std::vector<Step> *steps : {&clockwise, &contra}) {
        const auto lastTurn = std::find_if(steps->rbegin(), steps->rend(), [](const Step &s) { return s.phaseBefore == 1; });
        ASSERT_NE(lastTurn, steps->rend());
        EXPECT_EQ(lastTurn->after.angle % 360, 0);
    }
}

TEST(Simulation, FlashIsDarkThreeTimesFourTicks)
{
    const std::vector<Step> steps = playRow(litEntry(20, 16, 6, 2, 0));
    std::vector<int> dark;
    int t = 0;
    for (const Step &step : steps) {
        if (step.phaseBefore != 1)
            continue;
        if (step.after.colTo == 0)
            dark.push_back(t);
        ++t;
    }
    EXPECT_EQ(t, 29);
    EXPECT_EQ(dark, std::vector<int>({0, 1, 2, 3, 8, 9, 10, 11, 16, 17, 18, 19}));
    EXPECT_EQ(count(playRow(litEntry(20, 16, 6, 3, 0)), 1), 21);  // remain
}

TEST(Simulation, AnOddWidthOpensFromItsIntegerMiddle)
{
    const std::vector<Step> steps = playRow(litEntry(7, 16, 4, -1, 0));
    Simulation simulation;
    simulation.Start({litEntry(7, 16, 4, -1, 0)});
    EXPECT_EQ(simulation.state().colFrom, 3);
    EXPECT_EQ(simulation.state().colTo, 3);
    EXPECT_EQ(steps[0].after.colFrom, 1);
    EXPECT_EQ(steps[0].after.colTo, 5);
    EXPECT_EQ(steps[1].after.colFrom, 0);  // past the left edge: the whole row
    EXPECT_EQ(steps[1].after.colTo, 7);
}

TEST(Simulation, OneRowRepeatsAfterAPauseThatHoldsOnlyTheAnimation)
{
    Simulation simulation;
    simulation.Start({litEntry(20, 16, 6, -1, 6)});
    int ticks = 0;
    while (!simulation.state().rowDone)
        simulation.Tick(), ++ticks;
    EXPECT_EQ(ticks, 32 + 11);
    // Five ticks of pause (500 ms) change nothing; the sixth starts the row again.
    const SimState done = simulation.state();
    for (int i = 0; i < sim::kPauseTicks; ++i) {
        EXPECT_FALSE(simulation.Tick()) << i;
        EXPECT_EQ(simulation.state().colTo, done.colTo);
    }
    EXPECT_TRUE(simulation.Tick());
    EXPECT_EQ(simulation.state().curRow, 0);
    EXPECT_FALSE(simulation.state().rowDone);
    EXPECT_EQ(simulation.state().phase, 0);
    EXPECT_TRUE(fullRow(simulation.state()));
}

TEST(Simulation, RowsFollowEachOtherAndWrapToTheFirst)
{
    Simulation simulation;
    simulation.Start({litEntry(20, 16, 6, -1, 6), litEntry(10, 7, 6, -1, 6, 210)});
    std::vector<int> rows;
    for (int i = 0; i < 3 * (43 + 6); ++i) {
        simulation.Tick();
        if (rows.empty() || rows.back() != simulation.state().curRow)
            rows.push_back(simulation.state().curRow);
    }
    EXPECT_EQ(rows, std::vector<int>({0, 1, 0, 1}));
    EXPECT_EQ(simulation.current()->ledCount, 7);
}

TEST(Simulation, StopEndsEveryPhaseAtOnce)
{
    for (int ticks : {0, 5, 40, 50, 160, 200}) {
        Simulation simulation;
        simulation.Start({litEntry(20, 16, 0, 1, 0)});
        for (int i = 0; i < ticks; ++i)
            simulation.Tick();
        simulation.Stop();
        EXPECT_FALSE(simulation.playing()) << ticks;
        EXPECT_EQ(simulation.current(), nullptr);
        EXPECT_FALSE(simulation.Tick());
        EXPECT_EQ(simulation.state().curRow, -1);
    }
    Simulation idle;
    EXPECT_FALSE(idle.Tick());
    idle.Start({});
    EXPECT_FALSE(idle.playing());
}

TEST(Simulation, SevenLedsShowThreeDotsAnLedOthersAContinuousLine)
{
    // Sixteen LEDs take 41 radial steps: forty steps of 0.4 in single precision stop
    // just short of 16.
    for (const auto &[N, X, perColumn] : {std::tuple{7, 210, 21}, std::tuple{11, 200, 28}, std::tuple{16, 180, 41}}) {
        Simulation simulation;
        simulation.Start({litEntry(1, N, 6, -1, 6, X)});
        SimState state = simulation.state();
        // One column position only.
        const DotGeometry g = dotGeometry(192, 192, N, state.arcTimesN);
        state.colTo = 1;
        int dots = 0;
        std::set<int> radii;
        ForEachDot(state, *simulation.current(), 192, 192, [&](int x, int y) {
            ++dots;
            radii.insert(int(std::lround(std::hypot(x - g.cx, y - g.cy))));
        });
        int samples = 0;
        for (float A = 0; A < 1.0f; A = A + g.d)
            ++samples;
        EXPECT_EQ(dots, perColumn * samples) << N;
        // The ring lies between R and R x (1 - 2/7) (17/42 for more than 14 LEDs).
        EXPECT_LE(*radii.rbegin(), g.R + 1) << N;
        EXPECT_GE(*radii.begin(), int(g.R * (N > 14 ? 25.0 / 42 : 5.0 / 7)) - 2) << N;
    }
}

TEST(Simulation, TheMiddleOfTheTextStandsAtTheTop)
{
    Simulation simulation;
    simulation.Start({litEntry(20, 16, 6, -1, 6)});
    SimState state = simulation.state();
    state.colFrom = 10;
    state.colTo = 11;  // the middle column
    state.ledTo = 1;   // the outermost LED
    std::vector<QPoint> dots;
    ForEachDot(state, *simulation.current(), 192, 192, [&](int x, int y) { dots.push_back({x, y}); });
    ASSERT_FALSE(dots.empty());
    for (const QPoint &p : dots) {
        EXPECT_NEAR(p.x(), 96, 6);
        EXPECT_NEAR(p.y(), 96 - 88, 2);
    }
}

// ---- the play list ----

bool fiveColumns(uint16_t code, int ledType, ChrRecord &record)
{
    record.width = 5;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(5 * bytesPerColumn(record.height));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t(code + i);
    return true;
}

TEST(Simulation, ThePlayListHoldsEnabledRowsWithTextAsTheyWereAtStart)
{
    test::TestMessage message(ledtype::k11, &fiveColumns);
    message.type(0, u"ab");
    message.type(2, u"c");
    message.type(3, u"de");
    message.doc.EnableRow(3, false);
    message.doc.setEffects(2, {4, 2, 5});
    message.doc.setUseMiddle(true);
    const std::vector<PlayEntry> list = BuildPlayList(message.doc);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].sourceRow, 0);
    EXPECT_EQ(list[0].usedColumns, 10);
    EXPECT_EQ(list[0].ledCount, 11);
    EXPECT_EQ(list[0].circleColumns, 200);
    EXPECT_EQ(list[1].sourceRow, 2);
    EXPECT_EQ(list[1].openEffect, 4);
    EXPECT_EQ(list[1].middleEffect, 2);
    EXPECT_EQ(list[1].closeEffect, 5);
    message.doc.setUseMiddle(false);
    EXPECT_EQ(BuildPlayList(message.doc)[1].middleEffect, sim::kNoMiddle);

    // The entries keep their own LEDs: rebuilding the rows cannot reach them.
    const MonoImage before = list[0].rowImage;
    message.doc.ChangeLedType(ledtype::k16, true);
    EXPECT_EQ(list[0].rowImage, before);
    EXPECT_TRUE(BuildPlayList(message.doc).empty());
}

} // namespace
} // namespace tessivo
