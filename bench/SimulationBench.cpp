// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation's figures: composing one frame of a full row, and one tick.

#include "preview/Simulation.h"
#include "rows/LedType.h"

#include <benchmark/benchmark.h>

using namespace tessivo;

namespace {

/// A full row of the type, every LED lit, shown whole.
PlayEntry fullRow(int ledType)
{
    const LedTypeInfo info = LedTypeTable()[ledType];
    PlayEntry e;
    e.rowImage = MonoImage(info.rowWidth, info.ledCount);
    e.rowImage.fill(true);
    e.usedColumns = info.rowWidth;
    e.ledCount = info.ledCount;
    e.circleColumns = circleColumnsFor(ledType, info.rowWidth);
    e.openEffect = 6;
    e.closeEffect = 6;
    return e;
}

void BM_ComposeFrameFullRow(benchmark::State &state)
{
    Simulation simulation;
    simulation.Start({fullRow(int(state.range(0)))});
    QImage background(sim::kFrameSize, sim::kFrameSize, QImage::Format_ARGB32);
    background.fill(qRgb(30, 34, 44));
    QImage frame;
    for (auto _ : state) {
        ComposeFrame(frame, background, simulation, 0x000000FF);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_ComposeFrameFullRow)->Arg(ledtype::k16)->Arg(ledtype::k7)->Unit(benchmark::kMicrosecond);

void BM_SimulationTick(benchmark::State &state)
{
    Simulation simulation;
    simulation.Start({fullRow(ledtype::k16)});
    for (auto _ : state)
        benchmark::DoNotOptimize(simulation.Tick());
}
BENCHMARK(BM_SimulationTick)->Unit(benchmark::kNanosecond);

} // namespace
