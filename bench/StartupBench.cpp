// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Program start-up to the shown main window, measured as a process: the program is
// copied into a folder of its own (with its LIB and a report library) and asked to
// close itself as soon as its window is up.

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

void BM_StartupToShownWindow(benchmark::State &state)
{
    const fs::path folder = fs::temp_directory_path() / "tessivo-startup-bench";
    fs::remove_all(folder);
    fs::create_directories(folder / "LIB");
    const fs::path program = TESSIVO_PROGRAM;
    fs::copy_file(program, folder / "tessivo");
    fs::copy_file(program.parent_path() / "libFeltrix.so", folder / "libFeltrix.so");
    for (const auto &entry : fs::directory_iterator(TESSIVO_LIB_DIR))
        if (entry.path().extension() != ".ini" && entry.path().extension() != ".so")
            fs::copy_file(entry.path(), folder / "LIB" / entry.path().filename());
    // A stand-in report library: the poll asks no real device.
    fs::copy_file(FAKE_REPORT_COMPLETE, folder / "LIB" / "libMorvUSB.so");
    const std::string command = "QT_QPA_PLATFORM=offscreen TESSIVO_EXIT_WHEN_SHOWN=1 " +
                                (folder / "tessivo").string() + " >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the program did not start");
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
