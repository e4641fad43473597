// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/DeviceImageBuilder.h"
#include "main/DialogTexts.h"
#include "main/SendCommand.h"
#include "support/TestMessage.h"
#include "support/VirtualStation.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tessivo;
using namespace tessivo::test;

namespace {

// Glyphs whose columns the tests choose: code c gets the columns in `columnsOf[c]`.
std::map<uint16_t, std::vector<uint8_t>> columnsOf;
int glyphHeight = 7;

bool chosenGlyph(uint16_t code, int, ChrRecord &record)
{
    auto it = columnsOf.find(code);
    if (it == columnsOf.end())
        return false;
    record.height = glyphHeight;
    record.width = int(it->second.size()) / bytesPerColumn(glyphHeight);
    record.byteCount = uint8_t(it->second.size());
    std::copy(it->second.begin(), it->second.end(), record.columns);
    return true;
}

/// Rows of one type whose characters the tests choose.
struct Rows : TestMessage {
    explicit Rows(int ledType, const LedTypeTable &types = LedTypeTable())
        : TestMessage(ledType, &chosenGlyph, types)
    {
    }
};

std::vector<uint8_t> bytes(const DeviceImage &image)
{
    return std::vector<uint8_t>(image.buffer.begin(), image.buffer.begin() + image.length);
}

std::vector<uint8_t> withEnd(std::vector<uint8_t> start)
{
    start.insert(start.end(), 10, 0);
    return start;
}

class DeviceImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        columnsOf.clear();
        glyphHeight = 7;
    }
    DeviceImage image;
};

} // namespace

TEST_F(DeviceImageTest, SevenLedExample)
{
    columnsOf[u'x'] = {0x82, 0x44};
    Rows rows(ledtype::k7);
    rows.type(0, u"x");
    rows.doc.setEffects(0, {2, 0, 5});
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(bytes(image), withEnd({0x00, 0x01, 0x02, 0x36, 0x81, 0x42}));
    EXPECT_EQ(image.length, 16);
}

TEST_F(DeviceImageTest, ElevenLedColumnsAreShiftedToTheBlade)
{
    glyphHeight = 11;
    columnsOf[u'x'] = {0xFF, 0xE0, 0x80, 0x00};  // all eleven lit; bottom row only
    Rows rows(ledtype::k11);
    rows.type(0, u"x");
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(bytes(image), withEnd({0x00, 0x01, 0x02, 0x11, 0x07, 0xFF, 0x04, 0x00}));
    EXPECT_EQ(adjust11(0xFF, 0xE0), 0x07FF);
}

TEST_F(DeviceImageTest, SixteenLedHasNoTypeByteAndSendsTheLastCharacterFirst)
{
    glyphHeight = 16;
    columnsOf[u'A'] = {0x01, 0x02, 0x03, 0x04};
    columnsOf[u'B'] = {0x11, 0x12, 0x13, 0x14};
    Rows rows(ledtype::k16);
    rows.type(0, u"AB");
    rows.doc.setEffects(0, {6, 0, 6});
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(bytes(image), withEnd({0x01, 0x04, 0x77, 0x11, 0x12, 0x13, 0x14, 0x01, 0x02, 0x03, 0x04}));
}

TEST_F(DeviceImageTest, EmptyAndDisabledRowsAreLeftOut)
{
    columnsOf[u'x'] = {0x80};
    Rows rows(ledtype::k7);
    rows.type(0, u"x");
    rows.type(2, u"xx");
    rows.type(3, u"x");
    rows.doc.EnableRow(3, false);  // disabled: never sent, whatever it holds
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(bytes(image), withEnd({0x00, 0x02, 0x01, 0x11, 0x80, 0x02, 0x11, 0x80, 0x80}));
}

TEST_F(DeviceImageTest, LargestImageFitsTheBuffer)
{
    glyphHeight = 11;
    columnsOf[u'x'] = std::vector<uint8_t>(36, 0xFF);  // 18 columns
    Rows rows(ledtype::k11, LedTypeTable(2, 180));
    for (int k = 0; k < MessageDocument::kRows; ++k)
        rows.type(k, std::u16string(10, u'x'));
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(image.length, 2 + 12 * (2 + 180 * 2) + 10);
}

TEST_F(DeviceImageTest, LengthCountsWhatSendWouldSendClosingZerosIncluded)
{
    columnsOf[u'x'] = {0x82, 0x44};
    Rows rows(ledtype::k7);
    EXPECT_EQ(DeviceImageLength(rows.doc), 0);  // nothing to send takes nothing
    rows.type(0, u"x");
    // Type byte, row count, width, effects, two columns, ten closing zeros.
    EXPECT_EQ(DeviceImageLength(rows.doc), 16);
    rows.type(1, u"xx");
    ASSERT_TRUE(BuildDeviceImage(rows.doc, image));
    EXPECT_EQ(DeviceImageLength(rows.doc), image.length);
    rows.doc.EnableRow(1, false);
    EXPECT_EQ(DeviceImageLength(rows.doc), 16);
}

TEST(CapacityText, GroupsThousandsAndTurnsPastTheLargestImage)
{
    EXPECT_EQ(capacityText(0), QStringLiteral("0 / 2,047 bytes"));
    EXPECT_EQ(capacityText(1234), QStringLiteral("1,234 / 2,047 bytes"));
    EXPECT_FALSE(overCapacity(2047));  // the display still takes it
    EXPECT_TRUE(overCapacity(2048));   // Send says "IC ROM Over"
    EXPECT_TRUE(capacityToolTip(2050).startsWith(QStringLiteral("3 bytes too many")));
}

TEST_F(DeviceImageTest, SendWithNothingToSendShowsTheErrorAndStartsNoTimer)
{
    Rows rows(ledtype::k7);
    VirtualStation station;
    EXPECT_FALSE(SendDocument(rows.doc, image, station.link, station.view));
    EXPECT_EQ(station.view.errors, QStringList{"No Data Send!"});
    EXPECT_EQ(station.view.resetStarts, 0);
}

TEST_F(DeviceImageTest, SendWithoutTheReportLibrary)
{
    columnsOf[u'x'] = {0x80};
    Rows rows(ledtype::k7);
    rows.type(0, u"x");
    VirtualStation station;
    station.links.bound = false;
    EXPECT_FALSE(SendDocument(rows.doc, image, station.link, station.view));
    EXPECT_EQ(station.view.errors, QStringList{"USB Device Connect Failure!!!"});
    EXPECT_EQ(station.view.resetStarts, 0);
}

TEST_F(DeviceImageTest, SendDeliversTheImageOverEveryLink)
{
    glyphHeight = 11;
    columnsOf[u'A'] = {0xFF, 0xE0, 0x12, 0x34, 0x56, 0x78};
    columnsOf[u'B'] = {0x80, 0x00, 0x00, 0x20};
    Rows rows(ledtype::k11);
    rows.type(0, u"ABBA");
    rows.type(5, u"BAB");
    rows.doc.setEffects(5, {3, 0, 0});
    for (int which : {0, 1, 2}) {
        VirtualStation station;
        station.display.ledType = 1;
        station.links.attachedTo = which;
        station.link.DetectDevice();
        ASSERT_TRUE(SendDocument(rows.doc, image, station.link, station.view)) << which;
        EXPECT_EQ(station.view.resetStarts, 1);
        EXPECT_EQ(station.display.announcedLength, image.length);
        const std::vector<uint8_t> sent = bytes(image);
        EXPECT_EQ(station.display.image, std::vector<uint8_t>(sent.begin(), sent.begin() + sent.size() / 5 * 5));
    }
}
