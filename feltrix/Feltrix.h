// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

/* Feltrix: finds one HID display by product identifier (vendor 0x1D57) and exchanges
 * 8-byte messages with it through 9-byte feature reports (report number 0). */
#pragma once

#include <stdbool.h>

#if defined(_WIN32)
#define FELTRIX_API __declspec(dllexport)
#else
#define FELTRIX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Searches the HID devices of vendor 0x1D57 for productId; 1 when one was found and
 *  opened (DeviceHandle then holds it), 0 otherwise. Releases the previous search's device. */
FELTRIX_API int FindUsb(int productId);

/** Sends the 8 bytes at message as one feature report; true on success. */
FELTRIX_API bool Write(unsigned char *message);

/** Reads one 9-byte feature report into buffer (buffer[0] the report number 0); true on success. */
FELTRIX_API bool Read(unsigned char *buffer);

/** The device of the last successful search (a hid_device *), null otherwise. */
FELTRIX_API extern void *DeviceHandle;

#ifdef __cplusplus
}
#endif
