#include "link/DeviceLink.h"

#include "link/DeviceImage.h"

namespace tessivo {
namespace {

const QString kConnectFailure = QStringLiteral("USB Device Connect Failure!!!");
const QString kWriteFailure = QStringLiteral("USB Write Data Failure!");

QString connectedTip(uint8_t link)
{
    switch (link) {
    case link::kFeature: return QStringLiteral("Display connected (feature reports)");
    case link::kCh375: return QStringLiteral("Display connected (CH375)");
    default: return QStringLiteral("Display connected (HID reports)");
    }
}

} // namespace

void DeviceLink::OnTimer(int timerId)
{
    if (timerId == link::kResetTimer) {
        view_.setProgressPosition(0);
        view_.stopProgressReset();
    }
    // Without the report library no link is asked at all.
    if (drivers_.reportBound() && !downloading_)
        DetectDevice();
}

void DeviceLink::DetectDevice()
{
    if (const int found = drivers_.FindUsb(protocol::kFeatureProduct); found != 0) {
        connected_ = found;
        activeLink_ = link::kFeature;
    } else {
        void *handle = drivers_.OpenUSBDevice(protocol::kReportVendor, protocol::kReportProduct);
        connected_ = handle != kInvalidReportHandle;
        activeLink_ = link::kReport;
        // The poll only asks; the download opens its own handle.
        if (connected_)
            drivers_.CloseUSBDevice(handle);
    }
    if (!connected_) {
        connected_ = drivers_.CH375OpenDevice(0) != -1;
        if (connected_)
            activeLink_ = link::kCh375;
    }

    QString tip;
    if (connected_) {
        tip = connectedTip(activeLink_);
        if (activeLink_ == link::kCh375)
            drivers_.CH375CloseDevice(0);
    } else {
        tip = drivers_.accessProblem();
        if (tip.isEmpty())
            tip = QStringLiteral("No display connected");
    }
    const int state = connected_ ? 1 : 0;
    if (state != linkState_ || tip != toolTip_) {
        linkState_ = state;
        toolTip_ = tip;
        view_.showLinkState(connected_ != 0, tip);
    }
    view_.setSendEnabled(connected_ != 0);
}

std::optional<OpenLink> DeviceLink::openLink()
{
    OpenLink open{activeLink_, nullptr};
    switch (activeLink_) {
    case link::kFeature:
        if (drivers_.FindUsb(protocol::kFeatureProduct) == 0)
            return std::nullopt;
        open.handle = drivers_.DeviceHandle();
        return open;
    case link::kCh375:
        if (drivers_.CH375OpenDevice(0) == -1)
            return std::nullopt;
        return open;
    default:
        open.handle = drivers_.OpenUSBDevice(protocol::kReportVendor, protocol::kReportProduct);
        if (open.handle == kInvalidReportHandle)
            return std::nullopt;
        return open;
    }
}

bool DeviceLink::stillOpen(const OpenLink &open)
{
    switch (open.link) {
    case link::kFeature:
        // Feltrix owns its handle; once it let go of it (or found another device) the
        // handle is gone.
        return open.handle != nullptr && drivers_.DeviceHandle() == open.handle;
    case link::kCh375:
        return true;
    default:
        return open.handle != kInvalidReportHandle;
    }
}

void DeviceLink::closeLink(const OpenLink &open)
{
    if (open.link == link::kCh375)
        drivers_.CH375CloseDevice(0);
    else if (open.link == link::kReport && open.handle != kInvalidReportHandle)
        drivers_.CloseUSBDevice(open.handle);
}

bool DeviceLink::DownloadImage(const DeviceImage &image, int ledType)
{
    const int length = image.length;
    if (length >= protocol::kMaxImage) {
        view_.showError(QStringLiteral("IC ROM Over"));
        return false;
    }
    // The poll waits until the download is over, so the link it opened stays its own.
    downloading_ = true;
    const struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{downloading_};

    const std::optional<OpenLink> open = openLink();
    if (!open) {
        view_.showError(kConnectFailure);
        return false;
    }

    bool announced = false;
    for (int attempt = 0; attempt < link::kLengthAttempts && !announced; ++attempt) {
        CommandPacket packet = LengthCommand(length);
        announced = ExchangePacket(packet, *open);
    }
    if (!announced) {
        view_.showError(kWriteFailure);
        closeLink(*open);
        return false;
    }

    const int packets = length / protocol::kBytesPerData;
    view_.setProgressRange(0, packets - 1);
    for (int i = 0; i < packets; ++i) {
        view_.setProgressPosition(i);
        CommandPacket packet = DataCommand(&image.buffer[size_t(i * protocol::kBytesPerData)], ledType);
        if (!ExchangePacket(packet, *open)) {
            closeLink(*open);  // the chip is closed before the message
            view_.showError(kWriteFailure);
            return false;
        }
    }
    closeLink(*open);
    return true;
}

bool DeviceLink::ExchangePacket(CommandPacket &packet, const OpenLink &open)
{
    packet.seal();
    bool sent = false;
    if (stillOpen(open)) {
        switch (open.link) {
        case link::kFeature:
            sent = drivers_.Write(&packet.bytes[1]);
            break;
        case link::kCh375: {
            unsigned long size = 8;
            sent = drivers_.CH375WriteData(0, &packet.bytes[1], &size);
            break;
        }
        default: {
            unsigned written = 0;
            sent = drivers_.WriteUSB(open.handle, packet.bytes.data(), 9, &written) != 0;
            break;
        }
        }
    }
    if (!sent) {
        view_.showError(QStringLiteral("USB Write Data Error"));
        return false;
    }

    uint8_t answer[16] = {};
    bool received = false;
    if (stillOpen(open)) {
        switch (open.link) {
        case link::kFeature:
            received = drivers_.Read(answer);
            break;
        case link::kCh375: {
            unsigned long size = 4;
            received = drivers_.CH375ReadData(0, answer, &size);
            break;
        }
        default: {
            unsigned read = 0;
            received = drivers_.ReadUSB(open.handle, answer, 3, &read) != 0;
            break;
        }
        }
    }
    if (!received) {
        view_.showError(QStringLiteral("USB Read Data Error"));
        return false;
    }
    return CheckStatus(answer[2], answer[1]) == protocol::kAccepted;
}

QString DeviceLink::statusText(uint8_t status, uint8_t marker)
{
    QString text = QStringLiteral("System Error or Application Program Destruction! Error ID:");
    if (marker != protocol::kMarker)
        text += QStringLiteral("!$");
    text += QChar(char16_t(status));
    return text;
}

uint8_t DeviceLink::CheckStatus(uint8_t status, uint8_t marker)
{
    if (status == 0x2A)
        return 1;
    if (status == protocol::kAccepted || (status >= 0x82 && status <= 0x8A))
        return status;
    view_.showError(statusText(status, marker));
    return 0;
}

} // namespace tessivo
