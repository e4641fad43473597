// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report library with a virtual display behind it, for tests that run the built
// program as a user would. It is told what to do by the environment and tells what it
// took through files, so a test outside the process can wait for them:
//   TESSIVO_FAKE_DISPLAY           the folder it reports into (no folder: no display)
//   TESSIVO_FAKE_DISPLAY_DELAY_MS  how long each packet takes (a slow display)
//   TESSIVO_FAKE_DISPLAY_LED       the blade's LED type (0, 1 or 2; 2 by default)
// In the folder: "packets" holds the count of packets so far, "image.bin" the image the
// display holds now, "announced" the length the last length command announced. A file
// "unplugged" there makes the display vanish: every call fails until it is removed.

#include "support/VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using tessivo::test::VirtualDisplay;
using tessivo::test::VirtualLinks;

struct Station {
    VirtualDisplay display;
    VirtualLinks links{display};
    QString folder;
    int delayMs = 0;
    std::mutex lock;

    Station()
    {
        folder = QString::fromLocal8Bit(qgetenv("TESSIVO_FAKE_DISPLAY"));
        delayMs = qEnvironmentVariableIntValue("TESSIVO_FAKE_DISPLAY_DELAY_MS");
        bool ok = false;
        const int led = qEnvironmentVariableIntValue("TESSIVO_FAKE_DISPLAY_LED", &ok);
        display.ledType = ok ? led : 2;
        links.attachedTo = folder.isEmpty() ? -1 : 0;
    }

    bool present() const { return !folder.isEmpty() && !QFile::exists(folder + QStringLiteral("/unplugged")); }

    void report(const QString &name, const QByteArray &bytes) const
    {
        QSaveFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
            file.commit();
        }
    }

    void reportPacket()
    {
        report(QStringLiteral("packets"), QByteArray::number(display.packets));
        report(QStringLiteral("announced"), QByteArray::number(display.announcedLength));
        report(QStringLiteral("image.bin"),
               QByteArray(reinterpret_cast<const char *>(display.image.data()), qsizetype(display.image.size())));
    }
};

Station &station()
{
    static Station s;
    return s;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) void *OpenUSBDevice(int vendorId, int productId)
{
    Station &s = station();
    std::lock_guard guard(s.lock);
    if (!s.present())
        return tessivo::kInvalidReportHandle;
    return s.links.OpenUSBDevice(vendorId, productId);
}

__attribute__((visibility("default"))) int CloseUSBDevice(void *handle)
{
    Station &s = station();
    std::lock_guard guard(s.lock);
    return s.links.CloseUSBDevice(handle);
}

__attribute__((visibility("default"))) int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written)
{
    Station &s = station();
    if (s.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(s.delayMs));
    std::lock_guard guard(s.lock);
    if (!s.present())
        return 0;
    const int before = s.display.packets;
    const int ok = s.links.WriteUSB(handle, buffer, count, written);
    if (s.display.packets != before)
        s.reportPacket();
    return ok;
}

__attribute__((visibility("default"))) int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read)
{
    Station &s = station();
    std::lock_guard guard(s.lock);
    if (!s.present())
        return 0;
    return s.links.ReadUSB(handle, buffer, count, read);
}
}
