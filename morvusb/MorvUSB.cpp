// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "morvusb/MorvUSB.h"
#include "morvusb/ReportDescriptor.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 3000;  // a dead display cannot hang the caller

struct Handle {
    hid_device *device;
    std::string path;
};

void *const kInvalid = reinterpret_cast<void *>(intptr_t(-1));

thread_local uint32_t lastCode = 0;
thread_local std::string lastText = "The operation completed successfully.";

void fail(int code, const std::string &text)
{
    lastCode = uint32_t(code);
    lastText = text;
}

std::string hidError(hid_device *device, const char *fallback)
{
    const wchar_t *text = device ? hid_error(device) : nullptr;
    if (!text)
        return fallback;
    std::string narrow;
    for (const wchar_t *c = text; *c; ++c)
        narrow += *c < 128 ? char(*c) : '?';
    return narrow;
}

Handle *handleOf(void *handle)
{
    if (!handle || handle == kInvalid) {
        fail(EBADF, "The handle is invalid.");
        return nullptr;
    }
    return static_cast<Handle *>(handle);
}

// The handle of a transfer whose arguments are usable; the count done starts at 0.
Handle *transferHandle(void *handle, const void *buffer, unsigned count, unsigned *done)
{
    if (done)
        *done = 0;
    Handle *h = handleOf(handle);
    if (h && (!buffer || count == 0)) {
        fail(EINVAL, "The parameter is incorrect.");
        return nullptr;
    }
    return h;
}

// The report descriptor of a hidraw node, from sysfs.
std::vector<uint8_t> reportDescriptor(const std::string &path)
{
    const char *root = std::getenv("MORVUSB_SYSFS");
    const std::string node = path.substr(path.find_last_of('/') + 1);
    std::ifstream file(std::string(root && *root ? root : "/sys") + "/class/hidraw/" + node +
                           "/device/report_descriptor",
                       std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

unsigned short lengthOf(void *handle, uint8_t mainTag)
{
    Handle *h = handleOf(handle);
    if (!h)
        return 0;
    const std::vector<uint8_t> descriptor = reportDescriptor(h->path);
    if (descriptor.empty()) {
        fail(ENOENT, "The report descriptor cannot be read.");
        return 0;
    }
    return morvusb::reportLength(descriptor, mainTag);
}

template <class Char>
uint32_t copyError(Char *buffer, int size)
{
    if (buffer && size > 0) {
        const size_t n = std::min(lastText.size(), size_t(size - 1));
        for (size_t i = 0; i < n; ++i)
            buffer[i] = Char((unsigned char)lastText[i]);
        buffer[n] = 0;
    }
    return lastCode;
}

} // namespace

extern "C" {

MORVUSB_API void *OpenUSBDevice(int vendorId, int productId)
{
    if (hid_init() != 0) {
        fail(EIO, "The HID library cannot start.");
        return kInvalid;
    }
    const unsigned short vendor = (unsigned short)vendorId, product = (unsigned short)productId;
    void *result = kInvalid;
    hid_device_info *devices = hid_enumerate(vendor, product);
    for (hid_device_info *info = devices; info && result == kInvalid; info = info->next) {
        if (info->vendor_id != vendor || info->product_id != product)
            continue;
        if (hid_device *device = hid_open_path(info->path))
            result = new Handle{device, info->path};
        else
            fail(EACCES, "The device cannot be opened (permission denied?).");
    }
    hid_free_enumeration(devices);
    if (result == kInvalid && lastCode != EACCES)
        fail(ENODEV, "No matching device is attached.");
    return result;
}

MORVUSB_API int CloseUSBDevice(void *handle)
{
    Handle *h = handleOf(handle);
    if (!h)
        return 0;
    hid_close(h->device);
    delete h;
    return 1;
}

MORVUSB_API int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written)
{
    Handle *h = transferHandle(handle, buffer, count, written);
    if (!h)
        return 0;
    const int result = hid_write(h->device, static_cast<const unsigned char *>(buffer), count);
    if (result < 0) {
        fail(EIO, hidError(h->device, "The write failed."));
        return 0;
    }
    if (written)
        *written = unsigned(result);
    return 1;
}

MORVUSB_API int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read)
{
    Handle *h = transferHandle(handle, buffer, count, read);
    if (!h)
        return 0;
    // The report comes without its number; the caller's buffer starts with it (0).
    auto *bytes = static_cast<unsigned char *>(buffer);
    bytes[0] = 0;
    if (count == 1) {
        if (read)
            *read = 1;
        return 1;
    }
    const int result = hid_read_timeout(h->device, bytes + 1, count - 1, kTimeoutMs);
    if (result < 0) {
        fail(EIO, hidError(h->device, "The read failed."));
        return 0;
    }
    if (result == 0) {
        fail(ETIMEDOUT, "The device did not answer in time.");
        return 0;
    }
    if (read)
        *read = unsigned(result) + 1;
    return 1;
}

MORVUSB_API unsigned short GetInputLength(void *handle) { return lengthOf(handle, morvusb::kInputItem); }

MORVUSB_API unsigned short GetOutputLength(void *handle) { return lengthOf(handle, morvusb::kOutputItem); }

MORVUSB_API uint32_t GetErrorMsgA(char *buffer, int size) { return copyError(buffer, size); }

MORVUSB_API uint32_t GetErrorMsgW(wchar_t *buffer, int size) { return copyError(buffer, size); }

MORVUSB_API int SetOutputReport(void *handle, const void *report, unsigned length)
{
    unsigned written = 0;
    return WriteUSB(handle, report, length, &written) ? 1 : 0;
}

MORVUSB_API int GetInputReport(void *handle, void *report, unsigned length)
{
    Handle *h = handleOf(handle);
    if (!h)
        return 0;
    if (!report || length == 0) {
        fail(EINVAL, "The parameter is incorrect.");
        return 0;
    }
    const int result = hid_get_input_report(h->device, static_cast<unsigned char *>(report), length);
    if (result < 0) {
        fail(EIO, hidError(h->device, "The input report cannot be read."));
        return 0;
    }
    return 1;
}

} // extern "C"
