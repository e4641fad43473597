// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ch375/CH375.h"

#include <gtest/gtest.h>

using namespace tessivo;

// Without a chip attached (as on every test machine) the layer answers like the
// driver library: -1 from open, and transfers and close fail or do nothing.
TEST(Ch375, WithoutAChipEverythingFailsCleanly)
{
    EXPECT_EQ(CH375OpenDevice(0), kCh375NoDevice);
    EXPECT_EQ(CH375OpenDevice(1), kCh375NoDevice);
    unsigned char bytes[8] = {};
    unsigned long length = 8;
    EXPECT_FALSE(CH375WriteData(0, bytes, &length));
    EXPECT_FALSE(CH375ReadData(0, bytes, &length));
    EXPECT_FALSE(CH375WriteData(0, nullptr, nullptr));
    CH375CloseDevice(0);
    CH375CloseDevice(7);
}
