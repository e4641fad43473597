// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Device answers: a display (or something that claims to be one) that answers any
// bytes, fails any transfer or vanishes at any step, on any of the three links, never
// makes a download report success unless every packet was accepted.

#include "FuzzInput.h"

#include "link/DeviceImage.h"
#include "link/DeviceLink.h"
#include "support/RecordingView.h"

#include <vector>

using namespace tessivo;

namespace {

/// Links whose every answer comes from the input.
class FuzzedLinks : public LinkDrivers {
public:
    explicit FuzzedLinks(fuzz::Input &input) : input_(input) {}

    std::vector<uint8_t> statuses;  // the status byte of every answer given

    bool reportBound() const override { return true; }
    void *OpenUSBDevice(int, int) override
    {
        return (input_.byte() & 1) ? reinterpret_cast<void *>(intptr_t(0x1000 + ++opened_)) : kInvalidReportHandle;
    }
    int CloseUSBDevice(void *) override { return 1; }
    int WriteUSB(void *, const void *, unsigned, unsigned *written) override
    {
        *written = 9;
        return input_.byte() & 1;
    }
    int ReadUSB(void *, void *buffer, unsigned count, unsigned *read) override
    {
        *read = count;
        return answer(static_cast<uint8_t *>(buffer), count);
    }
    int FindUsb(int) override
    {
        handle_ = (input_.byte() & 1) ? reinterpret_cast<void *>(intptr_t(0x2000 + ++opened_)) : nullptr;
        return handle_ != nullptr;
    }
    bool Write(unsigned char *) override { return input_.byte() & 1; }
    bool Read(unsigned char *buffer) override { return answer(buffer, 9); }
    void *DeviceHandle() override
    {
        // The display may let go of its handle between two steps.
        if ((input_.byte() & 0x0F) == 0x0F)
            handle_ = nullptr;
        return handle_;
    }
    intptr_t CH375OpenDevice(unsigned) override { return (input_.byte() & 1) ? 5 : -1; }
    void CH375CloseDevice(unsigned) override {}
    bool CH375WriteData(unsigned, void *, unsigned long *) override { return input_.byte() & 1; }
    bool CH375ReadData(unsigned, void *buffer, unsigned long *length) override
    {
        return answer(static_cast<uint8_t *>(buffer), unsigned(*length));
    }

private:
    bool answer(uint8_t *buffer, unsigned count)
    {
        if (!(input_.byte() & 1))
            return false;
        for (unsigned i = 0; i < count; ++i)
            buffer[i] = input_.byte();
        if (count > 2)
            statuses.push_back(buffer[2]);
        return true;
    }

    fuzz::Input &input_;
    void *handle_ = nullptr;
    int opened_ = 0;
};

} // namespace

TESSIVO_FUZZ_TARGET
{
    fuzz::Input input(data, size);
    const int length = input.word() % 2100;
    const int ledType = input.byte() % 3;
    const bool pollWhileBoxOpen = input.byte() & 1;
    DeviceImage image;
    for (int i = 0; i < length; ++i)
        image.append(uint8_t(i * 7));

    FuzzedLinks links(input);
    test::RecordingView view;
    DeviceLink link(links, view);
    if (pollWhileBoxOpen)
        view.whileErrorShown = [&link] { link.OnTimer(link::kDetectTimer); };
    link.DetectDevice();
    if (!link.connected())
        return 0;
    links.statuses.clear();
    const bool sent = link.DownloadImage(image, ledType);
    if (!sent)
        return 0;

    const size_t packets = size_t(length / 5) + 1;  // the length command, then the data
    fuzz::check(length < 2048, "an image too long for the display is never sent");
    fuzz::check(links.statuses.size() >= packets, "every packet of a download was answered");
    for (size_t i = links.statuses.size() - packets; i < links.statuses.size(); ++i)
        fuzz::check(links.statuses[i] == 0x80, "a download succeeds only when every packet was accepted");
    return 0;
}
