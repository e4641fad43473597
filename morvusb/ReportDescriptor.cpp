// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "morvusb/ReportDescriptor.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace morvusb {
namespace {

// The longest report whose length, report number included, fits 16 bits.
constexpr uint64_t kLongestReportBits = uint64_t(0xFFFF - 1) * 8;

} // namespace

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

} // namespace morvusb
