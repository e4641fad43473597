// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/DevicePresence.h"

#include "link/Protocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace tessivo {
namespace {

QString readLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readLine(64)).trimmed();
}

bool isDisplay(int vendor, int product)
{
    return (vendor == protocol::kReportVendor && product == protocol::kReportProduct) ||
           (vendor == protocol::kFeatureVendor && product == protocol::kFeatureProduct) ||
           ((vendor == protocol::kCh375VendorA || vendor == protocol::kCh375VendorB) &&
            product == protocol::kCh375Product);
}

bool accessible(const QString &node)
{
    return ::access(QFile::encodeName(node).constData(), R_OK | W_OK) == 0;
}

} // namespace

std::vector<PluggedDisplay> pluggedDisplays(const QString &sysfsRoot, const QString &devRoot)
{
    std::vector<PluggedDisplay> displays;
    const QDir usb(sysfsRoot + QStringLiteral("/bus/usb/devices"));
    for (const QString &name : usb.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString device = usb.filePath(name);
        bool ok = false;
        const int vendor = readLine(device + QStringLiteral("/idVendor")).toInt(&ok, 16);
        if (!ok)
            continue;
        const int product = readLine(device + QStringLiteral("/idProduct")).toInt(&ok, 16);
        if (!ok || !isDisplay(vendor, product))
            continue;

        PluggedDisplay display;
        display.vendor = vendor;
        display.product = product;
        display.link = vendor == protocol::kReportVendor    ? 0
                       : vendor == protocol::kFeatureVendor ? 1
                                                            : 2;
        const int bus = readLine(device + QStringLiteral("/busnum")).toInt();
        const int number = readLine(device + QStringLiteral("/devnum")).toInt();
        display.nodes = {QStringLiteral("%1/bus/usb/%2/%3")
                             .arg(devRoot)
                             .arg(bus, 3, 10, QLatin1Char('0'))
                             .arg(number, 3, 10, QLatin1Char('0'))};
        // The HID interfaces' hidraw nodes below this device.
        const QDir hidraw(sysfsRoot + QStringLiteral("/class/hidraw"));
        const QString real = QFileInfo(device).canonicalFilePath();
        for (const QString &node : hidraw.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
            const QString owner = QFileInfo(hidraw.filePath(node) + QStringLiteral("/device")).canonicalFilePath();
            if (!real.isEmpty() && owner.startsWith(real + u'/'))
                display.nodes << devRoot + u'/' + node;
        }
        for (const QString &node : display.nodes) {
            if (QFileInfo::exists(node) && !accessible(node)) {
                display.inaccessibleNode = node;
                break;
            }
        }
        displays.push_back(display);
    }
    return displays;
}

QString accessHint()
{
    return QStringLiteral("Install the udev rules of packaging/70-tessivo.rules (see README) and plug the display "
                          "in again: they give it to the user of a desktop session, and to the group plugdev "
                          "for cron jobs and ssh (sudo adduser $USER plugdev, then log in again).");
}

QString inaccessibleDisplay(const QString &sysfsRoot, const QString &devRoot)
{
    for (const PluggedDisplay &display : pluggedDisplays(sysfsRoot, devRoot)) {
        if (!display.inaccessibleNode.isEmpty())
            return QStringLiteral("A display (USB %1:%2) is plugged in but cannot be opened: "
                                  "%3 is not accessible. ")
                       .arg(display.vendor, 4, 16, QLatin1Char('0'))
                       .arg(display.product, 4, 16, QLatin1Char('0'))
                       .arg(display.inaccessibleNode) +
                   accessHint();
    }
    return {};
}

} // namespace tessivo
