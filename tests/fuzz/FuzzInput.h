// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, a reader that takes
// the input apart into the pieces a target needs, and a check that stops the run (as a
// crash, so that the fuzzer keeps the input) when a reader breaks a rule of its own.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

// Each target is built as libFuzzer's entry point, and under a name of its own into the
// program that replays the corpora (the build says which).
#ifndef TESSIVO_FUZZ_ENTRY
#define TESSIVO_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif
#define TESSIVO_FUZZ_TARGET extern "C" int TESSIVO_FUZZ_ENTRY(const uint8_t *data, size_t size)

namespace tessivo::fuzz {

/// Reports a broken rule and aborts.
[[noreturn]] inline void broken(const char *rule)
{
    std::fprintf(stderr, "fuzz: broken rule: %s\n", rule);
    std::abort();
}
inline void check(bool holds, const char *rule)
{
    if (!holds)
        broken(rule);
}

/// Takes the input from the front: bytes, small numbers and pieces with a length.
class Input {
public:
    Input(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    size_t remaining() const { return size_ - position_; }
    uint8_t byte()
    {
        return position_ < size_ ? data_[position_++] : 0;
    }
    uint16_t word()
    {
        const uint16_t low = byte();
        return uint16_t(low | byte() << 8);
    }
    /// A piece of at most `limit` bytes, its length taken from two bytes of the input.
    std::string_view piece(size_t limit)
    {
        const size_t wanted = word() % (limit + 1);
        const size_t length = wanted < remaining() ? wanted : remaining();
        const std::string_view view(reinterpret_cast<const char *>(data_ + position_), length);
        position_ += length;
        return view;
    }
    /// Everything not taken yet.
    std::string_view rest()
    {
        const std::string_view view(reinterpret_cast<const char *>(data_ + position_), remaining());
        position_ = size_;
        return view;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t position_ = 0;
};

} // namespace tessivo::fuzz
