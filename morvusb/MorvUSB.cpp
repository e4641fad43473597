#include "morvusb/MorvUSB.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 3000;  // a dead display cannot hang the caller
// The longest report whose length, report number included, fits 16 bits.
constexpr uint64_t kLongestReportBits = uint64_t(0xFFFF - 1) * 8;

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

// Report byte lengths (report number included) of the input or output main items.
unsigned short reportLength(const std::vector<uint8_t> &descriptor, uint8_t mainTag)
{
    uint32_t reportSize = 0, reportCount = 0, reportId = 0;
    std::map<uint32_t, uint64_t> bits;
    std::vector<std::pair<uint32_t, uint32_t>> stack;
    size_t i = 0;
    while (i < descriptor.size()) {
        const uint8_t prefix = descriptor[i];
        if (prefix == 0xFE) {  // long item: skip it
            if (i + 2 >= descriptor.size())
                break;
            i += 3 + descriptor[i + 1];
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + 1 + size > descriptor.size())
            break;
        uint32_t value = 0;
        for (size_t b = 0; b < size; ++b)
            value |= uint32_t(descriptor[i + 1 + b]) << (8 * b);
        switch (prefix & 0xFC) {
        case 0x74: reportSize = value; break;
        case 0x94: reportCount = value; break;
        case 0x84: reportId = value; break;
        case 0xA4: stack.emplace_back(reportSize, reportCount); break;
        case 0xB4:
            if (!stack.empty()) {
                std::tie(reportSize, reportCount) = stack.back();
                stack.pop_back();
            }
            break;
        default:
            if ((prefix & 0xFC) == mainTag) {
                // A report longer than a 16-bit length can say is no report of a
                // display: the descriptor is refused rather than its sum wrapped.
                uint64_t &sum = bits[reportId];
                sum += uint64_t(reportSize) * reportCount;  // each product fits 64 bits
                if (sum > kLongestReportBits)
                    return 0;
            }
            break;
        }
        i += 1 + size;
    }
    uint64_t widest = 0;
    for (const auto &[id, count] : bits)
        widest = std::max(widest, count);
    if (widest == 0)
        return 0;
    return (unsigned short)((widest + 7) / 8 + 1);
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
    return reportLength(descriptor, mainTag);
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

MORVUSB_API unsigned short GetInputLength(void *handle) { return lengthOf(handle, 0x80); }

MORVUSB_API unsigned short GetOutputLength(void *handle) { return lengthOf(handle, 0x90); }

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
