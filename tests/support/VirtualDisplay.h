// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The display's side of the protocol, for tests: it checks every checksum, decodes the
// length and data commands (undoing the 11-LED substitution), rebuilds the image and
// answers with the marker and a status. It can be scripted to refuse, to fail a write
// or a read, or to answer garbage.

#include "link/LinkDrivers.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace tessivo::test {

class VirtualDisplay {
public:
    int ledType = 2;                    // the blade this display drives
    std::deque<uint8_t> statusScript;   // statuses of the next answers (then 0x80)
    int failWrites = 0;                 // the next writes fail
    int failReads = 0;                  // the next reads fail
    uint8_t marker = 0x24;
    bool garbage = false;               // answers random bytes
    /// Called with the count of packets so far as each arrives (on the sending thread):
    /// a slow display, or something done while a Send runs.
    std::function<void(int packets)> onPacket;

    // What arrived.
    int announcedLength = -1;
    int announcedClass = -1;
    std::vector<uint8_t> image;
    int packets = 0;
    int badChecksums = 0;
    std::vector<std::array<uint8_t, 8>> payloads;

    /// Takes the 8 payload bytes of one packet; false when scripted to fail the write.
    bool receive(const uint8_t *payload);
    /// The answer's bytes after the report number: marker, status, zeros. False when
    /// scripted to fail the read.
    bool answer(uint8_t *out, size_t count);

private:
    uint8_t status_ = 0x80;
    uint32_t noise_ = 12345;
};

/// The three links with a virtual display attached to one of them (or none).
class VirtualLinks : public LinkDrivers {
public:
    explicit VirtualLinks(VirtualDisplay &display) : display_(display) {}

    int attachedTo = 0;          // 0, 1 or 2; -1 for no display
    bool alsoOnFeature = false;  // a second display on the feature link
    bool bound = true;           // the report library's entry points
    QString access;              // what accessProblem() reports
    std::vector<PluggedDisplay> plugged;  // what sysfs would list

    int openReportHandles = 0;   // report handles open now
    int foreignHandles = 0;      // calls that handed the report library a handle it did not make
    int ch375Opens = 0, ch375Closes = 0;
    bool ch375Open = false;

    bool reportBound() const override { return bound; }
    void *OpenUSBDevice(int vendorId, int productId) override;
    int CloseUSBDevice(void *handle) override;
    int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written) override;
    int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read) override;
    int FindUsb(int productId) override;
    bool Write(unsigned char *message) override;
    bool Read(unsigned char *buffer) override;
    void *DeviceHandle() override { return featureHandle_; }
    intptr_t CH375OpenDevice(unsigned index) override;
    void CH375CloseDevice(unsigned index) override;
    bool CH375WriteData(unsigned index, void *buffer, unsigned long *length) override;
    bool CH375ReadData(unsigned index, void *buffer, unsigned long *length) override;
    QString accessProblem() override { return access; }
    std::vector<PluggedDisplay> pluggedDisplays() override { return plugged; }

private:
    /// The report library's calls check their handle as the real one would have to.
    bool reportHandle(void *handle);

    VirtualDisplay &display_;
    void *featureHandle_ = nullptr;
    int reportToken_ = 0;   // what OpenUSBDevice hands out
    int featureToken_ = 0;  // what Feltrix's DeviceHandle is while a device is found
};

} // namespace tessivo::test
