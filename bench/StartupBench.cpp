// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Program start-up to the shown main window, measured as a process: the program is
// copied into a folder of its own (with its LIB and a report library) and asked to
// close itself as soon as its window is up.

#include <benchmark/benchmark.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

/// A copy of the program in a folder of its own, with its LIB and a stand-in report
/// library (the poll asks no real device); removed again at the end.
struct ProgramCopy {
    fs::path folder = fs::temp_directory_path() / "tessivo-startup-bench";
    ProgramCopy()
    {
        fs::remove_all(folder);
        fs::create_directories(folder / "LIB");
        const fs::path program = TESSIVO_PROGRAM;
        fs::copy_file(program, folder / "tessivo");
        fs::copy_file(program.parent_path() / "libFeltrix.so", folder / "libFeltrix.so");
        for (const auto &entry : fs::directory_iterator(TESSIVO_LIB_DIR))
            if (entry.path().extension() != ".ini" && entry.path().extension() != ".so")
                fs::copy_file(entry.path(), folder / "LIB" / entry.path().filename());
        fs::copy_file(FAKE_REPORT_COMPLETE, folder / "LIB" / "libMorvUSB.so");
    }
    ~ProgramCopy() { fs::remove_all(folder); }
    std::string program() const { return (folder / "tessivo").string(); }
};

/// Runs a command to its shown window and back; its wall time in milliseconds and its
/// peak memory in kilobytes.
struct Run {
    double ms = 0;
    long peakKb = 0;
    bool ok = false;
};
Run runOnce(const std::string &command)
{
    Run run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

const char *platformPrefix(int platform)
{
    return platform == 0 ? "QT_QPA_PLATFORM=offscreen " : "QT_QPA_PLATFORM=xcb ";
}

/// The program and the floor dialog, run one after the other in turn so both see the
/// same machine; the ratio of their medians (program / floor) is the figure.
void BM_StartupAgainstTheFloor(benchmark::State &state)
{
    const int platform = int(state.range(0));
    if (platform == 1 && std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no X display (run under xvfb-run for the xcb figures)");
        return;
    }
    const ProgramCopy copy;
    const std::string env = std::string(platformPrefix(platform)) + "TESSIVO_EXIT_WHEN_SHOWN=1 ";
    const std::string program = env + copy.program() + " >/dev/null 2>&1";
    const std::string floor = env + TESSIVO_FLOOR + std::string(" >/dev/null 2>&1");
    std::vector<double> programMs, floorMs, programKb, floorKb;
    runOnce(program);  // the first start fills the caches for both
    runOnce(floor);
    for (auto _ : state) {
        const Run a = runOnce(program), b = runOnce(floor);
        if (!a.ok || !b.ok) {
            state.SkipWithError("a program did not start");
            return;
        }
        programMs.push_back(a.ms);
        floorMs.push_back(b.ms);
        programKb.push_back(double(a.peakKb));
        floorKb.push_back(double(b.peakKb));
    }
    state.counters["tessivo_ms"] = median(programMs);
    state.counters["floor_ms"] = median(floorMs);
    state.counters["time_ratio"] = median(programMs) / median(floorMs);
    state.counters["tessivo_MB"] = median(programKb) / 1024;
    state.counters["floor_MB"] = median(floorKb) / 1024;
    state.counters["memory_ratio"] = median(programKb) / median(floorKb);
}
BENCHMARK(BM_StartupAgainstTheFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(15)->UseRealTime();

/// Instructions of one start of each, counted by callgrind (steady on a busy machine).
long instructions(const std::string &env, const std::string &program, const fs::path &out)
{
    const std::string counted = env + "valgrind --tool=callgrind --callgrind-out-file=" + out.string() + " " + program +
                                " >/dev/null 2>&1";
    if (std::system(counted.c_str()) != 0)
        return -1;
    std::ifstream file(out);
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("summary:", 0) == 0 || line.rfind("totals:", 0) == 0)
            return std::stol(line.substr(line.find(':') + 1));
    return -1;
}

void BM_StartupInstructionsAgainstTheFloor(benchmark::State &state)
{
    if (std::system("command -v valgrind >/dev/null 2>&1") != 0) {
        state.SkipWithError("valgrind is not installed");
        return;
    }
    const ProgramCopy copy;
    const std::string env = "QT_QPA_PLATFORM=offscreen TESSIVO_EXIT_WHEN_SHOWN=1 ";
    long program = 0, floor = 0;
    for (auto _ : state) {
        program = instructions(env, copy.program(), copy.folder / "program.callgrind");
        floor = instructions(env, TESSIVO_FLOOR, copy.folder / "floor.callgrind");
    }
    if (program <= 0 || floor <= 0) {
        state.SkipWithError("callgrind gave no count");
        return;
    }
    state.counters["tessivo_Minstr"] = double(program) / 1e6;
    state.counters["floor_Minstr"] = double(floor) / 1e6;
    state.counters["instr_ratio"] = double(program) / double(floor);
}
BENCHMARK(BM_StartupInstructionsAgainstTheFloor)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_StartupToShownWindow(benchmark::State &state)
{
    const ProgramCopy copy;
    const std::string command = "QT_QPA_PLATFORM=offscreen TESSIVO_EXIT_WHEN_SHOWN=1 " + copy.program() + " >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the program did not start");
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
