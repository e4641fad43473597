// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/Protocol.h"

#include "rows/LedType.h"

namespace tessivo {

void CommandPacket::seal()
{
    unsigned sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += bytes[size_t(i)];
    bytes[8] = uint8_t(sum);
}

bool CommandPacket::checksumOk() const
{
    CommandPacket copy = *this;
    copy.seal();
    return copy.bytes[8] == bytes[8];
}

int sizeClass(int length)
{
    if (length < 0)
        return 0;
    if (length < 256) return 1;
    if (length < 512) return 2;
    if (length < 1024) return 3;
    if (length < protocol::kMaxImage) return 4;
    return 0;
}

CommandPacket LengthCommand(int length)
{
    CommandPacket packet;
    packet.bytes = {0, protocol::kCommand, protocol::kLength, uint8_t(sizeClass(length)),
                    uint8_t(length & 0xFF), uint8_t((length >> 8) & 0xFF), 0, 0, 0};
    packet.seal();
    return packet;
}

CommandPacket DataCommand(const uint8_t *five, int ledType)
{
    CommandPacket packet;
    packet.bytes[1] = protocol::kCommand;
    packet.bytes[2] = protocol::kData;
    for (int i = 0; i < protocol::kBytesPerData; ++i)
        packet.bytes[size_t(3 + i)] =
            ledType == ledtype::k11 ? uint8_t(protocol::kElevenLedKey - five[i]) : five[i];
    packet.seal();
    return packet;
}

uint8_t elevenLedByte(uint8_t sent) { return uint8_t(protocol::kElevenLedKey - sent); }

} // namespace tessivo
