#pragma once
// The byte image of all rows that Send transfers to the display: per row its used
// width, its opening and closing effects and its LED columns, last character first,
// adjusted for the blade of the LED type.

#include "main/DialogRows.h"

#include <array>
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

/// Rows that the image carries: enabled and holding at least one character.
int countRowsToSend(const DialogRows &rows);

/// Fills the image from the rows for an LED type; false (and an empty image) when no
/// row holds text.
bool BuildDeviceImage(const DialogRows &rows, int ledType, DeviceImage &image);

/// The 7-LED blade's column byte: bit 0 <- bit 1, bit 1 <- bit 2, bit 2 <- bit 3.
uint8_t adjust7(uint8_t byte);
/// The 11-LED blade's column: the 16-bit number (first byte high) shifted right by 5.
uint16_t adjust11(uint8_t first, uint8_t second);

} // namespace tessivo
