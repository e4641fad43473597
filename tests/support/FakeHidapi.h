// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A test double of hidapi, linked in place of the real library under Feltrix and
// MorvUSB: a list of attached devices whose reports go to functions of the test.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fakehid {

struct Device {
    unsigned short vendor = 0, product = 0;
    std::string path;
    bool openable = true;
    // Output and feature reports, report number first; false fails the transfer.
    std::function<bool(const std::vector<uint8_t> &report)> onWrite;
    std::function<bool(const std::vector<uint8_t> &report)> onFeature;
    // An input report without its number; empty for "no answer in time", nothing for failure.
    std::function<bool(std::vector<uint8_t> &report)> onRead;
    // A feature report to return, report number first.
    std::function<bool(std::vector<uint8_t> &report)> onGetFeature;
};

inline Device device(unsigned short vendor, unsigned short product, std::string path)
{
    Device d;
    d.vendor = vendor;
    d.product = product;
    d.path = std::move(path);
    return d;
}

void reset();
void attach(Device device);
int openDevices();
int lastReadTimeout();

} // namespace fakehid
