// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Project files: any bytes are opened (or refused) without harm, and a project that
// opened saves to a file that opens again and saves to the same bytes.

#include "FuzzGlyphs.h"
#include "FuzzInput.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "document/ProjectFile.h"

using namespace tessivo;

TESSIVO_FUZZ_TARGET
{
    fuzz::loadShippedGlyphs();
    fuzz::Input input(data, size);
    // The 11-LED gap and row width come from the settings, which vary too.
    const int gap = input.byte() % 8, width = 100 + input.byte() * 2;
    const std::string_view file = input.rest();
    const std::optional<Project> project = ParseProject(QByteArray(file.data(), qsizetype(file.size())));
    if (!project)
        return 0;

    MessageDocument document(LedTypeTable(gap, width));
    document.ApplyProject(*project);
    const QByteArray saved = SerializeProject(document);
    DeviceImage image;
    BuildDeviceImage(document, image);
    fuzz::check(image.length <= DeviceImage::kCapacity, "the device image stays in its buffer");
    if (!document.hasContent())
        return 0;

    const std::optional<Project> reopened = ParseProject(saved);
    fuzz::check(reopened.has_value(), "a saved project opens again");
    MessageDocument again(LedTypeTable(gap, width));
    const std::vector<CutRow> cut = again.ApplyProject(*reopened);
    fuzz::check(cut.empty(), "a saved project fits the rows it came from");
    fuzz::check(SerializeProject(again) == saved, "a saved project saves to the same bytes");
    return 0;
}
