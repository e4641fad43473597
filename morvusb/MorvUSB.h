// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

/* MorvUSB: opens a HID device by vendor and product identifier and moves bytes to and
 * from it through output and input reports. Handles are opaque; (void *)-1 is the
 * invalid handle. Every buffer starts with the report number. */
#pragma once

#include <stdint.h>
#include <wchar.h>

#if defined(_WIN32)
#define MORVUSB_API __declspec(dllexport)
#else
#define MORVUSB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Opens the first HID device with these identifiers; (void *)-1 when none matches. */
MORVUSB_API void *OpenUSBDevice(int vendorId, int productId);
/** Closes a handle; non-zero when it was closed. */
MORVUSB_API int CloseUSBDevice(void *handle);
/** Writes count bytes (report number first) as one output report, blocking until the
 *  system has taken the report (there is no time limit of its own); non-zero on success
 *  with *written set. */
MORVUSB_API int WriteUSB(void *handle, const void *buffer, unsigned count, unsigned *written);
/** Reads one input report into buffer (report number first), waiting a few seconds at
 *  most; non-zero on success with *read set. */
MORVUSB_API int ReadUSB(void *handle, void *buffer, unsigned count, unsigned *read);
/** The input report length in bytes (report number included) from the report descriptor;
 *  0 on failure, and for a descriptor whose reports are longer than 16 bits can say. */
MORVUSB_API unsigned short GetInputLength(void *handle);
/** The output report length in bytes (report number included) from the report descriptor; 0 on failure. */
MORVUSB_API unsigned short GetOutputLength(void *handle);
/** The last failure's code, its text written into buffer (at most size characters). */
MORVUSB_API uint32_t GetErrorMsgA(char *buffer, int size);
/** The same as GetErrorMsgA with a wide-character text. */
MORVUSB_API uint32_t GetErrorMsgW(wchar_t *buffer, int size);
/** Sends one output report; non-zero on success. */
MORVUSB_API int SetOutputReport(void *handle, const void *report, unsigned length);
/** Reads one input report on request; non-zero on success. */
MORVUSB_API int GetInputReport(void *handle, void *report, unsigned length);

#ifdef __cplusplus
}
#endif
