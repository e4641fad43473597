// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calls the program makes on its three links: the report library (link 0), the
// feature library Feltrix (link 1) and the CH375 layer (link 2). The program's own
// drivers call the real libraries; tests put a virtual display behind them.

#include "link/DevicePresence.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tessivo {

/// The report library's invalid handle: what OpenUSBDevice answers without a display.
inline void *const kInvalidReportHandle = reinterpret_cast<void *>(intptr_t(-1));

/// The four entry points of the report library that start-up binds, each bound or
/// absent.
struct ReportLibrary {
    using OpenFn = void *(*)(int vendorId, int productId);
    using CloseFn = int (*)(void *handle);
    using WriteFn = int (*)(void *handle, const void *buffer, unsigned count, unsigned *written);
    using ReadFn = int (*)(void *handle, void *buffer, unsigned count, unsigned *read);

    OpenFn OpenUSBDevice = nullptr;
    CloseFn CloseUSBDevice = nullptr;
    WriteFn WriteUSB = nullptr;
    ReadFn ReadUSB = nullptr;

    bool isBound() const { return OpenUSBDevice && CloseUSBDevice && WriteUSB && ReadUSB; }
};

class LinkDrivers {
public:
    virtual ~LinkDrivers() = default;

    // Link 0, the report library loaded at start-up.
    virtual bool reportBound() const = 0;
    virtual void *OpenUSBDevice(int vendorId, int productId) = 0;
    virtual int CloseUSBDevice(void *handle) = 0;
    virtual int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written) = 0;
    virtual int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read) = 0;

    // Link 1, Feltrix.
    virtual int FindUsb(int productId) = 0;
    virtual bool Write(unsigned char *message) = 0;
    virtual bool Read(unsigned char *buffer) = 0;
    virtual void *DeviceHandle() = 0;

    // Link 2, the CH375 chip.
    virtual intptr_t CH375OpenDevice(unsigned index) = 0;
    virtual void CH375CloseDevice(unsigned index) = 0;
    virtual bool CH375WriteData(unsigned index, void *buffer, unsigned long *length) = 0;
    virtual bool CH375ReadData(unsigned index, void *buffer, unsigned long *length) = 0;

    /// When no display answered: a display that is plugged in but cannot be opened
    /// (no permission), described for the user; empty when there is none.
    virtual QString accessProblem() { return {}; }
    /// The displays plugged in now, with their identities and device nodes.
    virtual std::vector<PluggedDisplay> pluggedDisplays() { return {}; }
};

/// The program's drivers: the report library's entry points bound at start-up (read at
/// each call, so binding later is seen), Feltrix, and the CH375 layer.
std::unique_ptr<LinkDrivers> makeSystemLinkDrivers(const ReportLibrary &report);

} // namespace tessivo
