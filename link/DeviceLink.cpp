// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/DeviceLink.h"

#include "link/DeviceImage.h"

namespace tessivo {
namespace {

// The poll's order: the feature link, the report library, the CH375 chip.
constexpr uint8_t kPollOrder[] = {link::kFeature, link::kReport, link::kCh375};

/// Asks one link whether a display answers, and leaves nothing open that the download
/// opens on its own (Feltrix keeps the device it found, as its handle must stay).
bool answersOn(LinkDrivers &drivers, uint8_t which)
{
    switch (which) {
    case link::kFeature:
        return drivers.FindUsb(protocol::kFeatureProduct) != 0;
    case link::kCh375:
        if (drivers.CH375OpenDevice(0) == -1)
            return false;
        drivers.CH375CloseDevice(0);
        return true;
    default: {
        void *handle = drivers.OpenUSBDevice(protocol::kReportVendor, protocol::kReportProduct);
        if (handle == kInvalidReportHandle)
            return false;
        drivers.CloseUSBDevice(handle);
        return true;
    }
    }
}

} // namespace

QString linkName(uint8_t which)
{
    switch (which) {
    case link::kFeature: return QStringLiteral("feature reports");
    case link::kCh375: return QStringLiteral("CH375");
    default: return QStringLiteral("HID reports");
    }
}

std::vector<uint8_t> AnsweringLinks(LinkDrivers &drivers)
{
    std::vector<uint8_t> answering;
    for (const uint8_t which : kPollOrder)
        if ((which != link::kReport || drivers.reportBound()) && answersOn(drivers, which))
            answering.push_back(which);
    return answering;
}

SendFailure sendFailureOf(const QString &message)
{
    if (message == QLatin1StringView(linktext::kNoData))
        return SendFailure::NoData;
    if (message == QLatin1StringView(linktext::kTooLarge))
        return SendFailure::TooLarge;
    if (message == QLatin1StringView(linktext::kConnectFailure))
        return SendFailure::ConnectFailure;
    if (message == QLatin1StringView(linktext::kWriteError))
        return SendFailure::WriteError;
    if (message == QLatin1StringView(linktext::kReadError))
        return SendFailure::ReadError;
    if (message == QLatin1StringView(linktext::kWriteFailure))
        return SendFailure::WriteFailure;
    if (message.startsWith(QLatin1StringView(linktext::kStatusError)))
        return SendFailure::DeviceStatus;
    return SendFailure::Other;
}

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
    // The first link that answers is the one Send uses; the poll only asks, the
    // download opens its own handle.
    connected_ = 0;
    activeLink_ = link::kReport;
    for (const uint8_t which : kPollOrder) {
        if (answersOn(drivers_, which)) {
            connected_ = 1;
            activeLink_ = which;
            break;
        }
    }

    QString tip;
    if (connected_) {
        tip = QStringLiteral("Display connected (%1)").arg(linkName(activeLink_));
    } else {
        tip = drivers_.accessProblem();
        if (tip.isEmpty())
            tip = QLatin1StringView(linktext::kNoDisplay);
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
    if (!protocol::fitsDisplay(length)) {
        view_.showError(QLatin1StringView(linktext::kTooLarge));
        return false;
    }
    // The poll waits until the download is over, so the link it opened stays its own.
    downloading_ = true;
    cancelled_ = false;
    // A cancel that comes after the last packet does not stop the next download.
    const struct Done {
        std::atomic<bool> &flag, &cancel;
        ~Done() { flag = cancel = false; }
    } done{downloading_, cancelRequested_};

    const std::optional<OpenLink> open = openLink();
    if (!open) {
        view_.showError(QLatin1StringView(linktext::kConnectFailure));
        return false;
    }

    bool announced = false;
    for (int attempt = 0; attempt < link::kLengthAttempts && !announced; ++attempt) {
        CommandPacket packet = LengthCommand(length);
        announced = ExchangePacket(packet, *open);
    }
    if (!announced) {
        view_.showError(QLatin1StringView(linktext::kWriteFailure));
        closeLink(*open);
        return false;
    }

    const int packets = length / protocol::kBytesPerData;
    view_.setProgressRange(0, packets - 1);
    for (int i = 0; i < packets; ++i) {
        // A cancel stops between two packets: the display keeps what it took so far.
        if (cancelRequested_.exchange(false)) {
            closeLink(*open);
            cancelled_ = true;
            return false;
        }
        view_.setProgressPosition(i);
        CommandPacket packet = DataCommand(&image.buffer[size_t(i * protocol::kBytesPerData)], ledType);
        if (!ExchangePacket(packet, *open)) {
            closeLink(*open);  // the chip is closed before the message
            view_.showError(QLatin1StringView(linktext::kWriteFailure));
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
        view_.showError(QLatin1StringView(linktext::kWriteError));
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
        view_.showError(QLatin1StringView(linktext::kReadError));
        return false;
    }
    return CheckStatus(answer[2], answer[1]) == protocol::kAccepted;
}

QString DeviceLink::statusText(uint8_t status, uint8_t marker)
{
    QString text = QLatin1StringView(linktext::kStatusError);
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
