// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Replays fuzz inputs through their target as an ordinary program, with any compiler:
//   fuzz_replay TARGET PATH...   every file of each folder (and each file) named
// A target that breaks a rule aborts, which fails the test that runs it.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#define TESSIVO_DECLARE(entry) extern "C" int entry(const uint8_t *data, size_t size);
TESSIVO_DECLARE(fuzz_project)
TESSIVO_DECLARE(fuzz_settings)
TESSIVO_DECLARE(fuzz_languages)
TESSIVO_DECLARE(fuzz_glyph_files)
TESSIVO_DECLARE(fuzz_clipboard)
TESSIVO_DECLARE(fuzz_device_answers)
TESSIVO_DECLARE(fuzz_report_descriptor)
TESSIVO_DECLARE(fuzz_transport)

namespace {

struct Target {
    const char *name;
    int (*entry)(const uint8_t *, size_t);
};
constexpr Target kTargets[] = {
    {"project", fuzz_project},
    {"settings", fuzz_settings},
    {"languages", fuzz_languages},
    {"glyph_files", fuzz_glyph_files},
    {"clipboard", fuzz_clipboard},
    {"device_answers", fuzz_device_answers},
    {"report_descriptor", fuzz_report_descriptor},
    {"transport", fuzz_transport},
};

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path &path)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path))
            if (entry.is_regular_file() && entry.path().filename() != "README.md")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(path)) {
        files.push_back(path);
    }
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    const Target *target = nullptr;
    for (const Target &t : kTargets)
        if (argc > 1 && std::strcmp(argv[1], t.name) == 0)
            target = &t;
    if (!target || argc < 3) {
        std::fprintf(stderr, "usage: fuzz_replay TARGET PATH...\ntargets:");
        for (const Target &t : kTargets)
            std::fprintf(stderr, " %s", t.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    int replayed = 0;
    for (int i = 2; i < argc; ++i) {
        for (const std::filesystem::path &file : inputsOf(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::fprintf(stderr, "%s\n", file.c_str());
            target->entry(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("%s: %d inputs replayed\n", target->name, replayed);
    // A target without a single input to replay tests nothing.
    return replayed > 0 ? 0 : 1;
}
