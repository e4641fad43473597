// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feltrix and MorvUSB against the hidapi test double.

#include "feltrix/Feltrix.h"
#include "morvusb/MorvUSB.h"
#include "support/FakeHidapi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

void *const kInvalid = reinterpret_cast<void *>(intptr_t(-1));

class Transport : public ::testing::Test {
protected:
    void SetUp() override { fakehid::reset(); }
    void TearDown() override
    {
        FindUsb(0);  // releases Feltrix's device
        fakehid::reset();
    }
};

} // namespace

TEST_F(Transport, FeltrixFindsTheDisplayAmongDevicesOfItsVendor)
{
    fakehid::attach(fakehid::device(0x1D57, 0x1234, "/dev/hidraw0"));
    fakehid::attach(fakehid::device(0x0C45, 0xAC01, "/dev/hidraw1"));
    std::vector<uint8_t> sent;
    fakehid::Device display = fakehid::device(0x1D57, 0xAC01, "/dev/hidraw2");
    display.onFeature = [&](const std::vector<uint8_t> &report) {
        sent = report;
        return true;
    };
    display.onGetFeature = [](std::vector<uint8_t> &report) {
        EXPECT_EQ(report[0], 0);
        report = {0, 0x24, 0x80, 0, 0, 0, 0, 0, 0};
        return true;
    };
    fakehid::attach(display);

    ASSERT_EQ(FindUsb(0xAC01), 1);
    ASSERT_NE(DeviceHandle, nullptr);
    EXPECT_EQ(fakehid::openDevices(), 1);
    unsigned char message[8] = {0x40, 0x40, 0x01, 0x0F, 0x00, 0x00, 0x00, 0x90};
    EXPECT_TRUE(Write(message));
    EXPECT_EQ(sent, (std::vector<uint8_t>{0x00, 0x40, 0x40, 0x01, 0x0F, 0x00, 0x00, 0x00, 0x90}));
    unsigned char answer[9] = {0xEE};
    EXPECT_TRUE(Read(answer));
    EXPECT_EQ(answer[1], 0x24);
    EXPECT_EQ(answer[2], 0x80);

    // Every search releases the previous device: polling leaks nothing.
    for (int i = 0; i < 50; ++i)
        FindUsb(0xAC01);
    EXPECT_EQ(fakehid::openDevices(), 1);
}

TEST_F(Transport, FeltrixWithoutADisplayFailsCleanly)
{
    EXPECT_EQ(FindUsb(0xAC01), 0);
    EXPECT_EQ(DeviceHandle, nullptr);
    unsigned char message[9] = {};  // Read fills nine bytes
    EXPECT_FALSE(Write(message));
    EXPECT_FALSE(Read(message));
    EXPECT_FALSE(Write(nullptr));

    fakehid::Device locked = fakehid::device(0x1D57, 0xAC01, "/dev/hidraw3");
    locked.openable = false;
    fakehid::attach(locked);
    EXPECT_EQ(FindUsb(0xAC01), 0);

    fakehid::reset();
    fakehid::Device failing = fakehid::device(0x1D57, 0xAC01, "/dev/hidraw4");
    failing.onFeature = [](const std::vector<uint8_t> &) { return false; };
    fakehid::attach(failing);
    ASSERT_EQ(FindUsb(0xAC01), 1);
    EXPECT_FALSE(Write(message));
    EXPECT_FALSE(Read(message));
}

TEST_F(Transport, MorvUsbOpensWritesAndReads)
{
    std::vector<uint8_t> written;
    fakehid::Device display = fakehid::device(0x0C45, 0x7160, "/dev/hidraw5");
    display.onWrite = [&](const std::vector<uint8_t> &report) {
        written = report;
        return true;
    };
    display.onRead = [](std::vector<uint8_t> &report) {
        report = {0x24, 0x80, 0, 0, 0, 0, 0, 0};
        return true;
    };
    fakehid::attach(fakehid::device(0x0C45, 0x7161, "/dev/hidraw4"));
    fakehid::attach(display);

    void *handle = OpenUSBDevice(0x0C45, 0x7160);
    ASSERT_NE(handle, kInvalid);
    const unsigned char packet[9] = {0, 0x40, 0x40, 0x02, 0x2C, 0x01, 0, 0, 0xAF};
    unsigned count = 0;
    EXPECT_NE(WriteUSB(handle, packet, 9, &count), 0);
    EXPECT_EQ(count, 9u);
    EXPECT_EQ(written, std::vector<uint8_t>(packet, packet + 9));

    unsigned char answer[3] = {0xEE, 0, 0};
    EXPECT_NE(ReadUSB(handle, answer, 3, &count), 0);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(answer[0], 0);
    EXPECT_EQ(answer[1], 0x24);
    EXPECT_EQ(answer[2], 0x80);
    EXPECT_GT(fakehid::lastReadTimeout(), 0) << "reads are bounded";

    EXPECT_EQ(CloseUSBDevice(handle), 1);
    EXPECT_EQ(fakehid::openDevices(), 0);
}

TEST_F(Transport, MorvUsbFailuresAreResultsWithTheirReason)
{
    EXPECT_EQ(OpenUSBDevice(0x0C45, 0x7160), kInvalid);
    wchar_t wide[64];
    EXPECT_EQ(GetErrorMsgW(wide, 64), uint32_t(ENODEV));
    EXPECT_GT(wcslen(wide), 0u);
    char narrow[8];
    EXPECT_EQ(GetErrorMsgA(narrow, 8), uint32_t(ENODEV));
    EXPECT_EQ(strlen(narrow), 7u);

    unsigned count = 99;
    unsigned char bytes[9] = {};
    EXPECT_EQ(WriteUSB(kInvalid, bytes, 9, &count), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(ReadUSB(nullptr, bytes, 3, &count), 0);
    EXPECT_EQ(CloseUSBDevice(kInvalid), 0);
    EXPECT_EQ(GetInputLength(kInvalid), 0);
    EXPECT_EQ(GetErrorMsgA(nullptr, 0), uint32_t(EBADF));

    fakehid::Device silent = fakehid::device(0x0C45, 0x7160, "/dev/hidraw6");
    silent.onWrite = [](const std::vector<uint8_t> &) { return false; };
    silent.onRead = [](std::vector<uint8_t> &report) {
        report.clear();  // nothing arrives in time
        return true;
    };
    fakehid::attach(silent);
    void *handle = OpenUSBDevice(0x0C45, 0x7160);
    ASSERT_NE(handle, kInvalid);
    EXPECT_EQ(WriteUSB(handle, bytes, 9, &count), 0);
    EXPECT_EQ(GetErrorMsgA(narrow, 8), uint32_t(EIO));
    EXPECT_EQ(ReadUSB(handle, bytes, 3, &count), 0);
    EXPECT_EQ(GetErrorMsgA(narrow, 8), uint32_t(ETIMEDOUT));
    EXPECT_EQ(WriteUSB(handle, nullptr, 9, &count), 0);
    CloseUSBDevice(handle);
}

TEST_F(Transport, MorvUsbReportLengthsComeFromTheDescriptor)
{
    QTemporaryDir sysfs;
    QDir(sysfs.path()).mkpath("class/hidraw/hidraw7/device");
    QFile descriptor(sysfs.path() + "/class/hidraw/hidraw7/device/report_descriptor");
    ASSERT_TRUE(descriptor.open(QIODevice::WriteOnly));
    // Vendor page; input 8 x 8 bits, output 8 x 8 bits, feature 8 x 8 bits.
    const char bytes[] = "\x06\x00\xFF\x09\x01\xA1\x01\x15\x00\x26\xFF\x00\x75\x08\x95\x08"
                         "\x09\x01\x81\x02\x09\x01\x91\x02\x09\x01\xB1\x02\xC0";
    descriptor.write(bytes, sizeof bytes - 1);
    descriptor.close();
    qputenv("MORVUSB_SYSFS", sysfs.path().toUtf8());

    fakehid::attach(fakehid::device(0x0C45, 0x7160, "/dev/hidraw7"));
    void *handle = OpenUSBDevice(0x0C45, 0x7160);
    ASSERT_NE(handle, kInvalid);
    EXPECT_EQ(GetInputLength(handle), 9);
    EXPECT_EQ(GetOutputLength(handle), 9);

    // A damaged descriptor gives lengths, never a crash.
    ASSERT_TRUE(descriptor.open(QIODevice::WriteOnly | QIODevice::Truncate));
    descriptor.write("\x75\xFF\x95\xFF\xFF\xFF\x81", 7);
    descriptor.close();
    (void)GetInputLength(handle);
    (void)GetOutputLength(handle);

    // Report sizes whose sum wraps a 64-bit count: refused, not a length of 2 bytes.
    QFile wraps(QStringLiteral(TESSIVO_TEST_DATA "/repro/hid-length-wraps.bin"));
    ASSERT_TRUE(wraps.open(QIODevice::ReadOnly));
    ASSERT_TRUE(descriptor.open(QIODevice::WriteOnly | QIODevice::Truncate));
    descriptor.write(wraps.readAll());
    descriptor.close();
    EXPECT_EQ(GetInputLength(handle), 0);
    // The longest report a 16-bit length holds is still measured; one bit more is not.
    const auto inputOfBits = [&](uint32_t bits) {
        ASSERT_TRUE(descriptor.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const char size[] = "\x75\x01";
        descriptor.write(size, 2);
        descriptor.write("\x97", 1);
        descriptor.write(reinterpret_cast<const char *>(&bits), 4);
        descriptor.write("\x81\x02", 2);
        descriptor.close();
    };
    inputOfBits(0xFFFE * 8);
    EXPECT_EQ(GetInputLength(handle), 0xFFFF);
    inputOfBits(0xFFFE * 8 + 1);
    EXPECT_EQ(GetInputLength(handle), 0);
    CloseUSBDevice(handle);
    qunsetenv("MORVUSB_SYSFS");
}
