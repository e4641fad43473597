// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "feltrix/Feltrix.h"

#include <hidapi/hidapi.h>

namespace {

constexpr unsigned short kVendor = 0x1D57;
constexpr size_t kReportSize = 9;

hid_device *device() { return static_cast<hid_device *>(DeviceHandle); }

} // namespace

extern "C" {

FELTRIX_API void *DeviceHandle = nullptr;

FELTRIX_API int FindUsb(int productId)
{
    // A new search releases the device of the previous one: the program searches once
    // a second for as long as it runs.
    if (device())
        hid_close(device());
    DeviceHandle = nullptr;
    if (hid_init() != 0)
        return 0;

    int found = 0;
    hid_device_info *devices = hid_enumerate(kVendor, 0);
    for (hid_device_info *info = devices; info && !found; info = info->next) {
        if (info->vendor_id != kVendor || info->product_id != (unsigned short)productId)
            continue;
        if (hid_device *opened = hid_open_path(info->path)) {
            DeviceHandle = opened;
            found = 1;
        }
    }
    hid_free_enumeration(devices);
    return found;
}

FELTRIX_API bool Write(unsigned char *message)
{
    if (!device() || !message)
        return false;
    unsigned char report[kReportSize] = {0};
    for (size_t i = 1; i < kReportSize; ++i)
        report[i] = message[i - 1];
    return hid_send_feature_report(device(), report, kReportSize) > 0;
}

FELTRIX_API bool Read(unsigned char *buffer)
{
    if (!device() || !buffer)
        return false;
    buffer[0] = 0;
    return hid_get_feature_report(device(), buffer, kReportSize) > 0;
}

} // extern "C"
