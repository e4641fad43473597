// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ch375/CH375.h"

#include <libusb-1.0/libusb.h>

namespace tessivo {
namespace {

constexpr uint16_t kVendors[] = {0x4348, 0x1A86};
constexpr uint16_t kProduct = 0x5537;
constexpr unsigned char kBulkOut = 0x02, kBulkIn = 0x82;
constexpr unsigned kTimeoutMs = 3000;

libusb_context *context = nullptr;
libusb_device_handle *chip = nullptr;

bool start()
{
    return context || libusb_init(&context) == 0;
}

} // namespace

intptr_t CH375OpenDevice(unsigned index)
{
    if (index != 0 || !start())
        return kCh375NoDevice;
    if (chip)
        return 0;
    for (uint16_t vendor : kVendors) {
        chip = libusb_open_device_with_vid_pid(context, vendor, kProduct);
        if (chip)
            break;
    }
    if (!chip)
        return kCh375NoDevice;
    libusb_set_auto_detach_kernel_driver(chip, 1);
    if (libusb_claim_interface(chip, 0) != 0) {
        libusb_close(chip);
        chip = nullptr;
        return kCh375NoDevice;
    }
    return 0;
}

void CH375CloseDevice(unsigned index)
{
    if (index != 0 || !chip)
        return;
    libusb_release_interface(chip, 0);
    libusb_close(chip);
    chip = nullptr;
}

bool CH375WriteData(unsigned index, void *buffer, unsigned long *length)
{
    if (index != 0 || !chip || !buffer || !length)
        return false;
    int transferred = 0;
    const int wanted = int(*length);
    const int result = libusb_bulk_transfer(chip, kBulkOut, static_cast<unsigned char *>(buffer),
                                            wanted, &transferred, kTimeoutMs);
    *length = (unsigned long)transferred;
    return result == 0 && transferred == wanted;
}

bool CH375ReadData(unsigned index, void *buffer, unsigned long *length)
{
    if (index != 0 || !chip || !buffer || !length)
        return false;
    int transferred = 0;
    const int result = libusb_bulk_transfer(chip, kBulkIn, static_cast<unsigned char *>(buffer),
                                            int(*length), &transferred, kTimeoutMs);
    *length = (unsigned long)transferred;
    return result == 0 && transferred > 0;
}

} // namespace tessivo
