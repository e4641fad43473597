// The device image of twelve full 11-LED rows, and a whole download against the
// virtual display with no transfer delay: the program's own cost per image.

#include "main/DeviceImage.h"
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

class FullRows : public DialogRows {
public:
    FullRows()
    {
        adjustLedType11(2, 180);
        for (auto &row : rows) {
            row = std::make_unique<RowModel>(&wideGlyph);
            row->SetLedType(ledtype::k11, false);
            while (row->AddChar('x', false))
                row->MoveCaret(1, false);
        }
    }
    bool isRowEnabled(int) const override { return true; }
    const RowModel &row(int k) const override { return *rows[size_t(k)]; }
    int openingEffect(int) const override { return 3; }
    int middleEffect(int) const override { return 0; }
    int closingEffect(int) const override { return 4; }
    std::array<std::unique_ptr<RowModel>, kRows> rows;
};

void BM_BuildImageTwelveFullElevenLedRows(benchmark::State &state)
{
    FullRows rows;
    DeviceImage image;
    for (auto _ : state) {
        BuildDeviceImage(rows, ledtype::k11, image);
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
