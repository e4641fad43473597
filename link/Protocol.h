// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The display's command packets: 9 bytes, report number 0, a 7-byte command and the
// checksum of the command bytes. A length command announces the image, data commands
// carry it five bytes at a time; the display answers each with a marker and a status.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessivo {

namespace protocol {
constexpr int kReportVendor = 0x0C45, kReportProduct = 0x7160;  // link 0
constexpr int kFeatureProduct = 0xAC01;                          // link 1 (vendor 0x1D57)
constexpr int kFeatureVendor = 0x1D57;
constexpr int kCh375VendorA = 0x4348, kCh375VendorB = 0x1A86, kCh375Product = 0x5537;  // link 2

constexpr uint8_t kCommand = 0x40;
constexpr uint8_t kLength = 0x40;
constexpr uint8_t kData = 0x23;
constexpr uint8_t kMarker = 0x24;      // '$', from a display in order
constexpr uint8_t kAccepted = 0x80;
constexpr uint8_t kElevenLedKey = 0x6D;
constexpr int kMaxImage = 2048;        // images of this length or more are not sent
constexpr int kLargestImage = kMaxImage - 1;  // the most bytes a display takes
/// Whether a display takes an image of this length: what Send refuses with "IC ROM
/// Over" and the capacity gauge shows in red.
constexpr bool fitsDisplay(int length) { return length <= kLargestImage; }
constexpr int kBytesPerData = 5;
}

struct CommandPacket {
    std::array<uint8_t, 9> bytes{};

    /// Byte 8 = the sum of bytes 1 to 7, modulo 256.
    void seal();
    bool checksumOk() const;
};

/// 1 below 256 bytes, 2 below 512, 3 below 1,024, 4 below 2,048, 0 for longer images.
int sizeClass(int length);

CommandPacket LengthCommand(int length);
/// Five image bytes; for the 11-LED type each byte b is sent as (0x6D - b) mod 256.
CommandPacket DataCommand(const uint8_t *five, int ledType);

/// Undoes DataCommand's substitution (the display's side).
uint8_t elevenLedByte(uint8_t sent);

} // namespace tessivo
