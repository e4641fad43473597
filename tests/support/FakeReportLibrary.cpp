// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the report library, to test how start-up binds it. Built once with all
// four entry points and once without WriteUSB.

#include <cstdint>

extern "C" {
__attribute__((visibility("default"))) void *OpenUSBDevice(int, int) { return reinterpret_cast<void *>(-1); }
__attribute__((visibility("default"))) int CloseUSBDevice(void *) { return 1; }
#ifndef FAKE_REPORT_INCOMPLETE
__attribute__((visibility("default"))) int WriteUSB(void *, const void *, unsigned, unsigned *) { return 0; }
#endif
__attribute__((visibility("default"))) int ReadUSB(void *, void *, unsigned, unsigned *) { return 0; }
}
