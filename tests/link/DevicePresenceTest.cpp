// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/DevicePresence.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

void write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(DevicePresence, APluggedInDisplayWithoutAccessIsNamed)
{
    QTemporaryDir root;
    const QString sys = root.path() + "/sys", dev = root.path() + "/dev";
    write(sys + "/bus/usb/devices/1-1/idVendor", "0c45\n");
    write(sys + "/bus/usb/devices/1-1/idProduct", "7160\n");
    write(sys + "/bus/usb/devices/1-1/busnum", "1\n");
    write(sys + "/bus/usb/devices/1-1/devnum", "5\n");
    write(sys + "/bus/usb/devices/1-2/idVendor", "046d\n");  // some mouse
    write(sys + "/bus/usb/devices/1-2/idProduct", "c077\n");
    write(sys + "/bus/usb/devices/usb1/idVendor", "garbage");
    write(dev + "/bus/usb/001/005", "");

    EXPECT_TRUE(inaccessibleDisplay(sys, dev).isEmpty()) << "accessible: nothing to explain";

    QFile::setPermissions(dev + "/bus/usb/001/005", QFileDevice::ReadOwner);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open any node";
    const QString text = inaccessibleDisplay(sys, dev);
    EXPECT_TRUE(text.contains("0c45:7160"));
    EXPECT_TRUE(text.contains("udev"));
}

TEST(DevicePresence, NothingPluggedInOrNoSysfs)
{
    QTemporaryDir root;
    EXPECT_TRUE(inaccessibleDisplay(root.path() + "/none", root.path()).isEmpty());
}
