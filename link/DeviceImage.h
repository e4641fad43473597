// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The bytes that Send transfers to the display: a 16,384-byte buffer and the number of
// bytes written. The document builds it; the link sends it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessivo {

struct DeviceImage {
    static constexpr int kCapacity = 16384;
    std::array<uint8_t, kCapacity> buffer{};
    int32_t length = 0;

    void clear()
    {
        buffer.fill(0);
        length = 0;
    }
    void append(uint8_t byte)
    {
        if (length < kCapacity)
            buffer[size_t(length++)] = byte;
    }
};

} // namespace tessivo
