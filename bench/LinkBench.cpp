// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The device image of twelve full 11-LED rows, and a whole download against the
// virtual display with no transfer delay: the program's own cost per image.

#include "document/DeviceImageBuilder.h"
#include "support/TestMessage.h"
#include "support/VirtualStation.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace tessivo;

namespace {

bool wideGlyph(uint16_t code, int, ChrRecord &record)
{
    record.width = 18;
    record.height = 11;
    record.byteCount = 36;
    for (int i = 0; i < 36; ++i)
        record.columns[i] = uint8_t(code + i * 13);
    return true;
}

/// Twelve 11-LED rows of 180 columns, each filled to capacity.
struct FullRows : test::TestMessage {
    FullRows() : TestMessage(ledtype::k11, &wideGlyph, LedTypeTable(2, 180))
    {
        for (int k = 0; k < MessageDocument::kRows; ++k) {
            type(k, std::u16string(20, u'x'));
            doc.setEffects(k, {3, 0, 4});
        }
    }
};

void BM_BuildImageTwelveFullElevenLedRows(benchmark::State &state)
{
    FullRows rows;
    DeviceImage image;
    for (auto _ : state) {
        BuildDeviceImage(rows.doc, image);
        benchmark::DoNotOptimize(image.length);
    }
    state.counters["bytes"] = image.length;
}
BENCHMARK(BM_BuildImageTwelveFullElevenLedRows)->Unit(benchmark::kMicrosecond);

void BM_Download2047Bytes(benchmark::State &state)
{
    DeviceImage image;
    for (int i = 0; i < 2047; ++i)
        image.append(uint8_t(i));
    test::VirtualStation station;
    station.links.attachedTo = int(state.range(0));
    station.link.DetectDevice();
    for (auto _ : state) {
        station.display.payloads.clear();
        benchmark::DoNotOptimize(station.link.DownloadImage(image, ledtype::k16));
    }
}
BENCHMARK(BM_Download2047Bytes)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
