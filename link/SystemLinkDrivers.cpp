// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ch375/CH375.h"
#include "feltrix/Feltrix.h"
#include "link/DevicePresence.h"
#include "link/LinkDrivers.h"

namespace tessivo {
namespace {

// The real links: the report library bound at start-up, Feltrix, and the CH375 layer.
class SystemLinkDrivers final : public LinkDrivers {
public:
    explicit SystemLinkDrivers(const ReportLibrary &report) : report_(report) {}

    bool reportBound() const override { return report_.OpenUSBDevice != nullptr; }
    void *OpenUSBDevice(int vendorId, int productId) override
    {
        return report_.OpenUSBDevice ? report_.OpenUSBDevice(vendorId, productId)
                                    : kInvalidReportHandle;
    }
    int CloseUSBDevice(void *handle) override
    {
        return report_.CloseUSBDevice ? report_.CloseUSBDevice(handle) : 0;
    }
    int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written) override
    {
        return report_.WriteUSB ? report_.WriteUSB(handle, buffer, count, written) : 0;
    }
    int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read) override
    {
        return report_.ReadUSB ? report_.ReadUSB(handle, buffer, count, read) : 0;
    }

    int FindUsb(int productId) override { return ::FindUsb(productId); }
    bool Write(unsigned char *message) override { return ::Write(message); }
    bool Read(unsigned char *buffer) override { return ::Read(buffer); }
    void *DeviceHandle() override { return ::DeviceHandle; }

    intptr_t CH375OpenDevice(unsigned index) override { return tessivo::CH375OpenDevice(index); }
    void CH375CloseDevice(unsigned index) override { tessivo::CH375CloseDevice(index); }
    bool CH375WriteData(unsigned index, void *buffer, unsigned long *length) override
    {
        return tessivo::CH375WriteData(index, buffer, length);
    }
    bool CH375ReadData(unsigned index, void *buffer, unsigned long *length) override
    {
        return tessivo::CH375ReadData(index, buffer, length);
    }

    QString accessProblem() override { return inaccessibleDisplay(); }
    std::vector<PluggedDisplay> pluggedDisplays() override { return tessivo::pluggedDisplays(); }

private:
    const ReportLibrary &report_;
};

} // namespace

std::unique_ptr<LinkDrivers> makeSystemLinkDrivers(const ReportLibrary &report)
{
    return std::make_unique<SystemLinkDrivers>(report);
}

} // namespace tessivo
