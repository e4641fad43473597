#include "app/AppState.h"
#include "ch375/CH375.h"
#include "feltrix/Feltrix.h"
#include "link/DevicePresence.h"
#include "link/LinkDrivers.h"

namespace tessivo {
namespace {

// The real links: the report library bound at start-up, Feltrix, and the CH375 layer.
class SystemLinkDrivers final : public LinkDrivers {
public:
    bool reportBound() const override { return appState().report.OpenUSBDevice != nullptr; }
    void *OpenUSBDevice(int vendorId, int productId) override
    {
        const ReportLibrary &report = appState().report;
        return report.OpenUSBDevice ? report.OpenUSBDevice(vendorId, productId)
                                    : kInvalidReportHandle;
    }
    int CloseUSBDevice(void *handle) override
    {
        const ReportLibrary &report = appState().report;
        return report.CloseUSBDevice ? report.CloseUSBDevice(handle) : 0;
    }
    int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written) override
    {
        const ReportLibrary &report = appState().report;
        return report.WriteUSB ? report.WriteUSB(handle, buffer, count, written) : 0;
    }
    int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read) override
    {
        const ReportLibrary &report = appState().report;
        return report.ReadUSB ? report.ReadUSB(handle, buffer, count, read) : 0;
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
};

} // namespace

LinkDrivers &systemLinkDrivers()
{
    static SystemLinkDrivers drivers;
    return drivers;
}

} // namespace tessivo
