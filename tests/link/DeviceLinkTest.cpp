// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/DeviceLink.h"
#include "link/DeviceImage.h"
#include "support/VirtualStation.h"

#include <gtest/gtest.h>

using namespace tessivo;
using namespace tessivo::test;

namespace {

const QString kStatusText = "System Error or Application Program Destruction! Error ID:";

DeviceImage imageOf(int length)
{
    DeviceImage image;
    for (int i = 0; i < length; ++i)
        image.append(uint8_t(i * 7 + 3));
    return image;
}

class DeviceLinkTest : public ::testing::Test, protected VirtualStation {
protected:
    void attach(int which)
    {
        links.attachedTo = which;
        link.DetectDevice();
    }
};

} // namespace

TEST(Protocol, LengthCommandBytes)
{
    const CommandPacket packet = LengthCommand(300);
    const std::array<uint8_t, 9> expected = {0x00, 0x40, 0x40, 0x02, 0x2C, 0x01, 0x00, 0x00, 0xAF};
    EXPECT_EQ(packet.bytes, expected);
    EXPECT_TRUE(packet.checksumOk());
}

TEST(Protocol, SizeClasses)
{
    const std::pair<int, int> cases[] = {{0, 1},    {255, 1},  {256, 2},  {511, 2}, {512, 3},
                                         {1023, 3}, {1024, 4}, {2047, 4}, {2048, 0}, {-1, 0}};
    for (const auto &[length, sizeClassWanted] : cases)
        EXPECT_EQ(sizeClass(length), sizeClassWanted) << length;
    const CommandPacket thousand = LengthCommand(1000);
    EXPECT_EQ(thousand.bytes[3], 3);
    EXPECT_EQ(thousand.bytes[4], 0xE8);
    EXPECT_EQ(thousand.bytes[5], 0x03);
}

TEST(Protocol, ElevenLedDataIsSubstituted)
{
    const uint8_t five[5] = {0x00, 0x6D, 0xFF, 0x07, 0x80};
    const CommandPacket eleven = DataCommand(five, 1);
    EXPECT_EQ(eleven.bytes[3], 0x6D);
    EXPECT_EQ(eleven.bytes[4], 0x00);
    EXPECT_EQ(eleven.bytes[5], 0x6E);
    EXPECT_EQ(eleven.bytes[6], 0x66);
    EXPECT_EQ(eleven.bytes[7], 0xED);
    EXPECT_TRUE(eleven.checksumOk());
    const CommandPacket sixteen = DataCommand(five, 2);
    EXPECT_EQ(sixteen.bytes[4], 0x6D);
    for (uint8_t b : five)
        EXPECT_EQ(elevenLedByte(uint8_t(0x6D - b)), b);
}

TEST_F(DeviceLinkTest, AThousandByteImageGoesInTwoHundredDataCommands)
{
    for (int which : {0, 1, 2}) {
        display = VirtualDisplay{};
        attach(which);
        ASSERT_EQ(link.activeLink(), which);
        const DeviceImage image = imageOf(1000);
        ASSERT_TRUE(link.DownloadImage(image, 2)) << which;
        EXPECT_EQ(display.announcedLength, 1000);
        EXPECT_EQ(display.announcedClass, 3);
        EXPECT_EQ(display.packets, 201);
        EXPECT_EQ(display.badChecksums, 0);
        EXPECT_EQ(display.image, std::vector<uint8_t>(image.buffer.begin(), image.buffer.begin() + 1000));
        EXPECT_EQ(view.progressMin, 0);
        EXPECT_EQ(view.progressMax, 199);
        EXPECT_EQ(view.progressPos, 199);
        EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join("|").toStdString();
    }
}

TEST_F(DeviceLinkTest, TheLastBytesBeyondAMultipleOfFiveAreNotSent)
{
    attach(0);
    ASSERT_TRUE(link.DownloadImage(imageOf(1003), 2));
    EXPECT_EQ(display.announcedLength, 1003);
    EXPECT_EQ(display.image.size(), 1000u);
}

TEST_F(DeviceLinkTest, ImagesOfTwoKilobytesAreRefused)
{
    attach(0);
    EXPECT_FALSE(link.DownloadImage(imageOf(2048), 2));
    EXPECT_EQ(view.errors, QStringList{"IC ROM Over"});
    EXPECT_EQ(display.packets, 0);
    view.errors.clear();
    EXPECT_TRUE(link.DownloadImage(imageOf(2047), 2));
    EXPECT_EQ(display.announcedClass, 4);
}

TEST_F(DeviceLinkTest, ElevenLedImagesArriveUnchanged)
{
    attach(1);
    display.ledType = 1;
    const DeviceImage image = imageOf(500);
    ASSERT_TRUE(link.DownloadImage(image, 1));
    EXPECT_EQ(display.image, std::vector<uint8_t>(image.buffer.begin(), image.buffer.begin() + 500));
}

TEST_F(DeviceLinkTest, RefusedLengthCommandIsRetriedTwice)
{
    attach(0);
    display.statusScript = {0x83, 0x83, 0x80};
    EXPECT_TRUE(link.DownloadImage(imageOf(100), 2));
    EXPECT_TRUE(view.errors.isEmpty());
    EXPECT_EQ(display.image.size(), 100u);

    display.statusScript = {0x2A, 0x85, 0x8A};
    EXPECT_FALSE(link.DownloadImage(imageOf(100), 2));
    EXPECT_EQ(view.errors, QStringList{"USB Write Data Failure!"});
}

TEST_F(DeviceLinkTest, FailedLengthWritesShowEachErrorThenTheFailure)
{
    attach(2);
    display.failWrites = 3;
    EXPECT_FALSE(link.DownloadImage(imageOf(100), 2));
    EXPECT_EQ(view.errors, QStringList({"USB Write Data Error", "USB Write Data Error",
                                        "USB Write Data Error", "USB Write Data Failure!"}));
    EXPECT_FALSE(links.ch375Open);
}

TEST_F(DeviceLinkTest, AFailedDataCommandIsNotRepeated)
{
    attach(0);
    display.statusScript = {0x80, 0x80, 0x80, 0x84};
    EXPECT_FALSE(link.DownloadImage(imageOf(100), 2));
    EXPECT_EQ(display.packets, 4);
    EXPECT_EQ(view.errors, QStringList{"USB Write Data Failure!"});

    // A read that fails once during the announcement: retried, then all goes through.
    view.errors.clear();
    display.failReads = 1;
    EXPECT_TRUE(link.DownloadImage(imageOf(100), 2));
    EXPECT_EQ(view.errors, QStringList{"USB Read Data Error"});
}

TEST_F(DeviceLinkTest, UnknownStatusesAreReportedWithTheirCharacter)
{
    attach(0);
    EXPECT_EQ(link.CheckStatus(0x41, 0x24), 0);
    EXPECT_EQ(link.CheckStatus(0x41, 0x00), 0);
    EXPECT_EQ(link.CheckStatus(0x81, 0x24), 0);
    EXPECT_EQ(view.errors, QStringList({kStatusText + "A", kStatusText + "!$A", kStatusText + QChar(0x81)}));
    view.errors.clear();
    EXPECT_EQ(link.CheckStatus(0x2A, 0), 1);
    EXPECT_EQ(link.CheckStatus(0x80, 0), 0x80);
    for (int status = 0x82; status <= 0x8A; ++status)
        EXPECT_EQ(link.CheckStatus(uint8_t(status), 0x24), status);
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(DeviceLinkTest, GarbageAnswersNeverCountAsAccepted)
{
    attach(1);
    display.garbage = true;
    EXPECT_FALSE(link.DownloadImage(imageOf(300), 2));
    EXPECT_TRUE(view.errors.last() == "USB Write Data Failure!");
}

TEST_F(DeviceLinkTest, DetectionPrefersTheFeatureLinkAndFollowsTheCable)
{
    links.alsoOnFeature = true;
    attach(0);
    EXPECT_EQ(link.activeLink(), 1);
    EXPECT_TRUE(view.connected);
    EXPECT_TRUE(view.sendEnabled);

    links.alsoOnFeature = false;
    attach(2);
    EXPECT_EQ(link.activeLink(), 2);
    EXPECT_FALSE(links.ch375Open) << "detection closes the chip again";

    attach(-1);
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(link.activeLink(), 0);
    EXPECT_FALSE(view.connected);
    EXPECT_FALSE(view.sendEnabled);
    EXPECT_EQ(view.toolTip, "No display connected");
    const int changes = view.linkPictureChanges;
    link.DetectDevice();
    EXPECT_EQ(view.linkPictureChanges, changes) << "the picture is set only when it changes";
}

TEST_F(DeviceLinkTest, PollingAndDownloadingLeaveNoHandleOpen)
{
    attach(0);
    for (int i = 0; i < 100; ++i)
        link.OnTimer(link::kDetectTimer);
    EXPECT_EQ(links.openReportHandles, 0);
    ASSERT_TRUE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(links.openReportHandles, 0);
    display.failWrites = 3;
    EXPECT_FALSE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(links.openReportHandles, 0);

    attach(2);
    for (int i = 0; i < 10; ++i)
        link.OnTimer(link::kDetectTimer);
    ASSERT_TRUE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(links.ch375Opens, links.ch375Closes);
}

TEST_F(DeviceLinkTest, WithoutTheReportLibraryNothingIsAsked)
{
    links.bound = false;
    links.attachedTo = 1;
    link.OnTimer(link::kDetectTimer);
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(view.linkPictureChanges, 0);
}

TEST_F(DeviceLinkTest, TimerTwoResetsTheProgressBar)
{
    attach(0);
    view.progressPos = 57;
    view.resetRunning = true;
    link.OnTimer(link::kResetTimer);
    EXPECT_EQ(view.progressPos, 0);
    EXPECT_FALSE(view.resetRunning);
}

TEST_F(DeviceLinkTest, APresentButLockedDisplayIsExplained)
{
    links.access = "A display (USB 0c45:7160) is plugged in but cannot be opened";
    attach(-1);
    EXPECT_FALSE(view.connected);
    EXPECT_EQ(view.toolTip, links.access);
}

TEST_F(DeviceLinkTest, ALostDisplayFailsToConnect)
{
    attach(0);
    links.attachedTo = -1;
    EXPECT_FALSE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(view.errors, QStringList{"USB Device Connect Failure!!!"});
}

TEST_F(DeviceLinkTest, APollWhileADownloadsBoxIsOpenWaitsAndNoHandleReachesAnotherLibrary)
{
    attach(1);
    ASSERT_EQ(link.activeLink(), link::kFeature);
    display.failWrites = 3;  // every length command fails; each failure opens a box
    int polls = 0;
    view.whileErrorShown = [&] {
        // While the box is open the display moves to the report link and the poll fires.
        links.attachedTo = 0;
        link.OnTimer(link::kDetectTimer);
        ++polls;
    };
    EXPECT_FALSE(link.DownloadImage(imageOf(50), 2));
    EXPECT_GT(polls, 0);
    EXPECT_EQ(links.foreignHandles, 0);
    EXPECT_EQ(link.activeLink(), link::kFeature) << "no detection during the download";

    // After the download the poll finds the report link, and the next Send uses it
    // with a handle of its own.
    view.whileErrorShown = nullptr;
    link.OnTimer(link::kDetectTimer);
    EXPECT_EQ(link.activeLink(), link::kReport);
    view.errors.clear();
    EXPECT_TRUE(link.DownloadImage(imageOf(50), 2));
    EXPECT_TRUE(view.errors.isEmpty());
    EXPECT_EQ(links.foreignHandles, 0);
    EXPECT_EQ(links.openReportHandles, 0);
}

TEST_F(DeviceLinkTest, AFeatureHandleThatFeltrixLetGoOfIsNeverUsed)
{
    attach(1);
    display.failWrites = 1;
    view.whileErrorShown = [&] {
        // Whatever runs meanwhile, a detection switching links included: the download
        // keeps the link it opened and sees that its handle is gone.
        links.attachedTo = 0;
        link.DetectDevice();
    };
    EXPECT_FALSE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(links.foreignHandles, 0);
    EXPECT_EQ(view.errors, QStringList({"USB Write Data Error", "USB Write Data Error", "USB Write Data Error",
                                        "USB Write Data Failure!"}));
    EXPECT_EQ(links.openReportHandles, 0);
}

TEST_F(DeviceLinkTest, APollDuringADownloadNeverClosesTheChipTheDownloadHolds)
{
    attach(2);
    display.failWrites = 1;  // the first length command fails; the retry must find the chip open
    view.whileErrorShown = [&] { link.OnTimer(link::kDetectTimer); };
    EXPECT_TRUE(link.DownloadImage(imageOf(50), 2));
    EXPECT_EQ(view.errors, QStringList{"USB Write Data Error"});
    EXPECT_EQ(display.image.size(), 50u);
    EXPECT_EQ(links.ch375Opens, links.ch375Closes);
}
