// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two report libraries against a display whose descriptor and answers are any
// bytes: opening, writing and reading never touch memory outside the caller's buffers
// and never claim more bytes than were asked for.

#include "FuzzInput.h"

#include "feltrix/Feltrix.h"
#include "morvusb/MorvUSB.h"
#include "support/FakeHidapi.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

using namespace tessivo;

namespace {

// A sysfs tree with the descriptor of hidraw0, which MorvUSB reads.
const std::filesystem::path &sysfs()
{
    static QTemporaryDir dir;
    static const std::filesystem::path root = [] {
        const std::filesystem::path path = dir.path().toStdString();
        std::filesystem::create_directories(path / "class/hidraw/hidraw0/device");
        setenv("MORVUSB_SYSFS", path.c_str(), 1);
        return path;
    }();
    return root;
}

} // namespace

TESSIVO_FUZZ_TARGET
{
    fuzz::Input input(data, size);
    const std::string_view descriptor = input.piece(512);
    std::ofstream(sysfs() / "class/hidraw/hidraw0/device/report_descriptor", std::ios::binary | std::ios::trunc)
        .write(descriptor.data(), std::streamsize(descriptor.size()));

    fakehid::reset();
    fakehid::Device display = fakehid::device(0x0C45, 0xAC01, "/dev/hidraw0");
    fakehid::Device feature = fakehid::device(0x1D57, 0xAC01, "/dev/hidraw1");
    const auto answer = [&input](std::vector<uint8_t> &report) {
        if (!(input.byte() & 1))
            return false;
        report.resize(input.byte() % 80);
        for (uint8_t &b : report)
            b = input.byte();
        return true;
    };
    const auto accept = [&input](const std::vector<uint8_t> &) { return bool(input.byte() & 1); };
    display.onWrite = accept;
    display.onRead = answer;
    feature.onFeature = accept;
    feature.onGetFeature = answer;
    fakehid::attach(display);
    fakehid::attach(feature);

    if (void *handle = OpenUSBDevice(0x0C45, 0xAC01); handle != reinterpret_cast<void *>(intptr_t(-1))) {
        while (input.remaining() > 0 && (input.byte() & 3) != 0) {
            std::vector<uint8_t> buffer(input.byte() % 70 + 1);
            unsigned done = 0;
            if (input.byte() & 1) {
                if (WriteUSB(handle, buffer.data(), unsigned(buffer.size()), &done))
                    fuzz::check(done <= buffer.size(), "a write claims at most what it was given");
            } else if (ReadUSB(handle, buffer.data(), unsigned(buffer.size()), &done)) {
                fuzz::check(done <= buffer.size(), "a read fills at most the caller's buffer");
            }
        }
        CloseUSBDevice(handle);
    }
    if (FindUsb(0xAC01)) {
        unsigned char message[9] = {};
        Write(message);
        Read(message);
    }
    FindUsb(0);
    fakehid::reset();
    return 0;
}
