// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/VirtualDisplay.h"

#include "link/Protocol.h"

#include <cstring>

namespace tessivo::test {

bool VirtualDisplay::receive(const uint8_t *payload)
{
    if (failWrites > 0) {
        --failWrites;
        return false;
    }
    ++packets;
    if (onPacket)
        onPacket(packets);
    std::array<uint8_t, 8> bytes;
    std::memcpy(bytes.data(), payload, 8);
    payloads.push_back(bytes);

    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += payload[i];
    status_ = 0x80;
    if (uint8_t(sum) != payload[7]) {
        ++badChecksums;
        status_ = 0x81;
    } else if (payload[0] == 0x40 && payload[1] == 0x40) {
        announcedClass = payload[2];
        announcedLength = payload[3] | payload[4] << 8;
        image.clear();
    } else if (payload[0] == 0x40 && payload[1] == 0x23) {
        for (int i = 2; i < 7; ++i)
            image.push_back(ledType == 1 ? elevenLedByte(payload[i]) : payload[i]);
    } else {
        status_ = 0x81;
    }
    if (!statusScript.empty()) {
        status_ = statusScript.front();
        statusScript.pop_front();
    }
    return true;
}

bool VirtualDisplay::answer(uint8_t *out, size_t count)
{
    if (failReads > 0) {
        --failReads;
        return false;
    }
    std::memset(out, 0, count);
    if (garbage) {
        for (size_t i = 0; i < count; ++i) {
            noise_ = noise_ * 1103515245u + 12345u;
            out[i] = uint8_t(noise_ >> 16);
        }
        return true;
    }
    if (count > 0)
        out[0] = marker;
    if (count > 1)
        out[1] = status_;
    return true;
}

void *VirtualLinks::OpenUSBDevice(int vendorId, int productId)
{
    if (attachedTo != 0 || vendorId != 0x0C45 || productId != 0x7160)
        return kInvalidReportHandle;
    ++openReportHandles;
    return &reportToken_;
}

bool VirtualLinks::reportHandle(void *handle)
{
    if (handle == &reportToken_)
        return true;
    if (handle != kInvalidReportHandle)
        ++foreignHandles;
    return false;
}

int VirtualLinks::CloseUSBDevice(void *handle)
{
    if (!reportHandle(handle))
        return 0;
    --openReportHandles;
    return 1;
}

int VirtualLinks::WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written)
{
    if (!reportHandle(handle) || count != 9 || attachedTo != 0)
        return 0;
    const auto *bytes = static_cast<const uint8_t *>(buffer);
    if (bytes[0] != 0 || !display_.receive(bytes + 1))
        return 0;
    *written = count;
    return 1;
}

int VirtualLinks::ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read)
{
    if (!reportHandle(handle) || attachedTo != 0 || count < 1)
        return 0;
    auto *bytes = static_cast<uint8_t *>(buffer);
    bytes[0] = 0;
    if (!display_.answer(bytes + 1, count - 1))
        return 0;
    *read = count;
    return 1;
}

int VirtualLinks::FindUsb(int productId)
{
    featureHandle_ = nullptr;
    if ((attachedTo != 1 && !alsoOnFeature) || productId != 0xAC01)
        return 0;
    featureHandle_ = &featureToken_;
    return 1;
}

bool VirtualLinks::Write(unsigned char *message)
{
    return featureHandle_ && display_.receive(message);
}

bool VirtualLinks::Read(unsigned char *buffer)
{
    if (!featureHandle_)
        return false;
    buffer[0] = 0;
    return display_.answer(buffer + 1, 8);
}

intptr_t VirtualLinks::CH375OpenDevice(unsigned index)
{
    if (attachedTo != 2 || index != 0)
        return -1;
    ++ch375Opens;
    ch375Open = true;
    return 0;
}

void VirtualLinks::CH375CloseDevice(unsigned index)
{
    if (index == 0 && ch375Open) {
        ++ch375Closes;
        ch375Open = false;
    }
}

bool VirtualLinks::CH375WriteData(unsigned index, void *buffer, unsigned long *length)
{
    if (!ch375Open || index != 0 || *length != 8)
        return false;
    return display_.receive(static_cast<const uint8_t *>(buffer));
}

bool VirtualLinks::CH375ReadData(unsigned index, void *buffer, unsigned long *length)
{
    if (!ch375Open || index != 0 || *length < 3)
        return false;
    auto *bytes = static_cast<uint8_t *>(buffer);
    bytes[0] = 0;
    return display_.answer(bytes + 1, *length - 1);
}

} // namespace tessivo::test
