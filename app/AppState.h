#pragma once
// The values that several windows share, for the whole run. One instance, reached
// through appState(); single-threaded, read and written directly.

#include "app/LanguageTable.h"

#include <QString>
#include <cstdint>

namespace tessivo {

/// The four entry points of the report library, each bound or absent.
struct ReportLibrary {
    using OpenFn = void *(*)(int vendorId, int productId);
    using CloseFn = int (*)(void *handle);
    using WriteFn = int (*)(void *handle, const void *buffer, unsigned count, unsigned *written);
    using ReadFn = int (*)(void *handle, void *buffer, unsigned count, unsigned *read);

    OpenFn OpenUSBDevice = nullptr;
    CloseFn CloseUSBDevice = nullptr;
    WriteFn WriteUSB = nullptr;
    ReadFn ReadUSB = nullptr;

    bool isBound() const { return OpenUSBDevice && CloseUSBDevice && WriteUSB && ReadUSB; }
};

namespace defaults {
constexpr uint32_t kLedColor = 0x000000FF;  // red, 0x00BBGGRR
inline const char16_t *kSysFont = u"宋体";
}

struct AppState {
    QString moduleFolder;    // folder of the executable
    QString settingsPath;    // the settings file
    ReportLibrary report;
    LanguageTable languages;

    int32_t LedType = 0;     // 0 = 7LED, 1 = 11LED, 2 = 16LED
    uint32_t LedColor = defaults::kLedColor;
    int32_t bUserFont = 1;   // non-zero: glyph files; 0: the installed font SysFont
    QString SysFont = QString::fromUtf16(defaults::kSysFont);
    int32_t MakeChrWndCx = 540;
    int32_t MakeChrWndCy = 360;
    int32_t useMiddle = 0;   // not a setting: starts at 0 on every run
};

/// The program's one shared state.
AppState &appState();

} // namespace tessivo
