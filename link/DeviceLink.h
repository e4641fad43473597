// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Finding the display on one of the three links once a second, and transferring the
// device image to it packet by acknowledged packet.

#include "link/LinkDrivers.h"
#include "link/Protocol.h"

#include <QString>
#include <atomic>
#include <optional>
#include <vector>

namespace tessivo {

struct DeviceImage;

/// What detection and download show: the main window's progress bar, link picture,
/// Send button, timer 2 and message box.
class LinkView {
public:
    virtual ~LinkView() = default;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    /// The link picture: connected or not, with a tool tip that says why.
    virtual void showLinkState(bool connected, const QString &toolTip) = 0;
    virtual void setSendEnabled(bool enabled) = 0;
    /// Timer 2: resets the progress bar 2,500 ms later.
    virtual void startProgressReset() = 0;
    virtual void stopProgressReset() = 0;
    virtual void showError(const QString &text) = 0;
};

namespace link {
constexpr uint8_t kReport = 0, kFeature = 1, kCh375 = 2;
constexpr int kDetectTimer = 1, kDetectPeriodMs = 1000;
constexpr int kResetTimer = 2, kResetPeriodMs = 2500;
constexpr int kLengthAttempts = 3;
}

/// The messages of detection and download, as the user reads them.
namespace linktext {
inline constexpr char kNoData[] = "No Data Send!";
inline constexpr char kTooLarge[] = "IC ROM Over";
inline constexpr char kConnectFailure[] = "USB Device Connect Failure!!!";
inline constexpr char kWriteError[] = "USB Write Data Error";
inline constexpr char kReadError[] = "USB Read Data Error";
inline constexpr char kWriteFailure[] = "USB Write Data Failure!";
inline constexpr char kStatusError[] = "System Error or Application Program Destruction! Error ID:";
inline constexpr char kNoDisplay[] = "No display connected";
}

/// What a message of a failed Send says went wrong.
enum class SendFailure { NoData, TooLarge, ConnectFailure, WriteError, ReadError, DeviceStatus, WriteFailure, Other };
SendFailure sendFailureOf(const QString &message);

/// The name of a link for the user: "HID reports", "feature reports" or "CH375".
QString linkName(uint8_t link);
/// The links on which a display answers now, each asked on its own (the poll stops at
/// the first that answers), in the poll's order.
std::vector<uint8_t> AnsweringLinks(LinkDrivers &drivers);

/// A link opened for a download: which library opened it and the handle it gave. A
/// handle only ever goes back to the library that made it.
struct OpenLink {
    uint8_t link = link::kReport;
    void *handle = nullptr;
};

class DeviceLink {
public:
    DeviceLink(LinkDrivers &drivers, LinkView &view) : drivers_(drivers), view_(view) {}

    uint8_t activeLink() const { return activeLink_; }
    int connected() const { return connected_; }
    bool reportLibraryBound() const { return drivers_.reportBound(); }
    /// A download is running (its message boxes may be open).
    bool downloading() const { return downloading_; }
    /// Asks a running download (on another thread) to stop after the packet in flight;
    /// it then ends as failed, without a message of its own, and cancelled() says why.
    void RequestCancel() { cancelRequested_ = true; }
    bool cancelled() const { return cancelled_; }

    /// The main window's timer handler, for timers 1 and 2. While a download runs
    /// (a timer fires while one of its message boxes is open) no detection takes
    /// place: the poll would close or replace the link the download holds.
    void OnTimer(int timerId);
    void DetectDevice();
    /// Sends a finished image over the active link; false after any failure.
    bool DownloadImage(const DeviceImage &image, int ledType);
    /// One packet and its answer over an open link.
    bool ExchangePacket(CommandPacket &packet, const OpenLink &open);
    /// 0x80 when accepted, another value otherwise; unknown statuses are reported.
    uint8_t CheckStatus(uint8_t status, uint8_t marker);

    static QString statusText(uint8_t status, uint8_t marker);

private:
    /// Opens the active link; nothing when it cannot be opened.
    std::optional<OpenLink> openLink();
    /// Whether the handle is still the one its library holds for the link.
    bool stillOpen(const OpenLink &open);
    void closeLink(const OpenLink &open);

    LinkDrivers &drivers_;
    LinkView &view_;
    uint8_t activeLink_ = link::kReport;
    int connected_ = 0;
    int linkState_ = -1;  // what the link picture shows: -1 nothing yet, 0 or 1
    QString toolTip_;
    std::atomic<bool> downloading_ = false;
    std::atomic<bool> cancelRequested_ = false;
    std::atomic<bool> cancelled_ = false;
};

} // namespace tessivo
