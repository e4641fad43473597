// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/FakeHidapi.h"

#include <hidapi/hidapi.h>

#include <cstring>
#include <cwchar>
#include <map>

namespace fakehid {
namespace {

std::vector<Device> devices;
int open = 0;
int readTimeout = 0;

} // namespace

void reset()
{
    devices.clear();
    open = 0;
    readTimeout = 0;
}
void attach(Device device) { devices.push_back(std::move(device)); }
int openDevices() { return open; }
int lastReadTimeout() { return readTimeout; }

} // namespace fakehid

struct hid_device_ {
    size_t index;
};

extern "C" {

int HID_API_EXPORT hid_init(void) { return 0; }
int HID_API_EXPORT hid_exit(void) { return 0; }

struct hid_device_info HID_API_EXPORT *hid_enumerate(unsigned short vendor, unsigned short product)
{
    hid_device_info *first = nullptr, **next = &first;
    for (const fakehid::Device &d : fakehid::devices) {
        if ((vendor && d.vendor != vendor) || (product && d.product != product))
            continue;
        auto *info = new hid_device_info{};
        info->path = strdup(d.path.c_str());
        info->vendor_id = d.vendor;
        info->product_id = d.product;
        *next = info;
        next = &info->next;
    }
    return first;
}

void HID_API_EXPORT hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        free(devs->path);
        delete devs;
        devs = next;
    }
}

hid_device HID_API_EXPORT *hid_open_path(const char *path)
{
    for (size_t i = 0; i < fakehid::devices.size(); ++i)
        if (fakehid::devices[i].path == path && fakehid::devices[i].openable) {
            ++fakehid::open;
            return new hid_device_{i};
        }
    return nullptr;
}

void HID_API_EXPORT hid_close(hid_device *dev)
{
    if (!dev)
        return;
    --fakehid::open;
    delete dev;
}

int HID_API_EXPORT hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    const fakehid::Device &d = fakehid::devices[dev->index];
    if (!d.onWrite || !d.onWrite(std::vector<uint8_t>(data, data + length)))
        return -1;
    return int(length);
}

int HID_API_EXPORT hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    fakehid::readTimeout = milliseconds;
    const fakehid::Device &d = fakehid::devices[dev->index];
    std::vector<uint8_t> report;
    if (!d.onRead || !d.onRead(report))
        return -1;
    const size_t n = std::min(length, report.size());
    if (n > 0)
        std::memcpy(data, report.data(), n);
    return int(n);
}

int HID_API_EXPORT hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    const fakehid::Device &d = fakehid::devices[dev->index];
    if (!d.onFeature || !d.onFeature(std::vector<uint8_t>(data, data + length)))
        return -1;
    return int(length);
}

int HID_API_EXPORT hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    const fakehid::Device &d = fakehid::devices[dev->index];
    std::vector<uint8_t> report(data, data + length);
    if (!d.onGetFeature || !d.onGetFeature(report))
        return -1;
    if (!report.empty())
        std::memcpy(data, report.data(), std::min(length, report.size()));
    return int(length);
}

int HID_API_EXPORT hid_get_input_report(hid_device *dev, unsigned char *data, size_t length)
{
    const fakehid::Device &d = fakehid::devices[dev->index];
    std::vector<uint8_t> report;
    if (!d.onRead || !d.onRead(report))
        return -1;
    if (length > 1 && !report.empty())
        std::memcpy(data + 1, report.data(), std::min(length - 1, report.size()));
    return int(length);
}

const wchar_t HID_API_EXPORT *hid_error(hid_device *) { return L"fake failure"; }

} // extern "C"
