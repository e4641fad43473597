// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview/AnimationGif.h"

#include "document/MessageDocument.h"
#include "preview/Simulation.h"
#include "settings/SafeWrite.h"
#include "ui/Pictures.h"

#include <gif_lib.h>

#include <QRect>

#include <array>
#include <cstring>
#include <map>

namespace tessivo {

namespace {

// The simulation's LED colours, 0x00BBGGRR, which the palette keeps exact.
constexpr std::array<uint32_t, 4> kLedColours = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
constexpr int kTransparent = 0;
constexpr int kFirstLed = 1;
constexpr int kFirstFan = kFirstLed + int(kLedColours.size());
constexpr int kPaletteSize = 256;

QRgb rgbOf(uint32_t bgr)
{
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

int writeBytes(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

} // namespace

std::vector<QImage> animationFrames(const MessageDocument &document)
{
    std::vector<QImage> frames;
    std::vector<PlayEntry> entries = BuildPlayList(document);
    if (entries.empty())
        return frames;
    const QImage background = transparentWhite(pictures::fanFrontView(sim::kFrameSize));
    Simulation simulation;
    simulation.Start(std::move(entries), sim::kFrameSize);
    const int rows = simulation.state().rowCount;
    QImage frame;
    ComposeFrame(frame, background, simulation, document.ledColor());
    frames.push_back(frame);
    // One pass: until the last row's pause is over and the first row starts again.
    for (int ticks = 0; ticks < 100000; ++ticks) {
        const int before = simulation.state().curRow;
        simulation.Tick();
        if (simulation.state().curRow == 0 && before == rows - 1 && !simulation.state().rowDone &&
            simulation.state().pauseLeft < 0 && (rows > 1 || ticks > 0))
            break;
        ComposeFrame(frame, background, simulation, document.ledColor());
        frames.push_back(frame);
    }
    return frames;
}

QByteArray encodeAnimationGif(const std::vector<QImage> &frames)
{

    if (frames.empty())
        return {};
    const int width = frames.front().width(), height = frames.front().height();
    // The palette: see-through, the LED colours, then the fan quantised once.
    const QImage first = frames.front().convertToFormat(QImage::Format_ARGB32);
    std::vector<GifByteType> red(size_t(width) * height), green(red.size()), blue(red.size()), fan(red.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = first.pixel(x, y);
            const size_t i = size_t(y) * width + x;
            red[i] = GifByteType(qRed(p));
            green[i] = GifByteType(qGreen(p));
            blue[i] = GifByteType(qBlue(p));
        }
    int fanColours = kPaletteSize - kFirstFan;
    std::vector<GifColorType> fanMap(static_cast<size_t>(kPaletteSize));
    if (GifQuantizeBuffer(unsigned(width), unsigned(height), &fanColours, red.data(), green.data(), blue.data(),
                          fan.data(), fanMap.data()) != GIF_OK)
        return {};
    ColorMapObject *palette = GifMakeMapObject(kPaletteSize, nullptr);
    if (!palette)
        return {};
    palette->Colors[kTransparent] = {0, 0, 0};
    for (size_t k = 0; k < kLedColours.size(); ++k) {
        const QRgb c = rgbOf(kLedColours[k]);
        palette->Colors[kFirstLed + k] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    for (int k = 0; k < fanColours && kFirstFan + k < kPaletteSize; ++k)
        palette->Colors[kFirstFan + k] = fanMap[size_t(k)];
    // Most pixels of a frame are the fan's as the first frame shows it; the dots are an
    // LED's colour; anything else (rare) takes the nearest fan colour.
    std::vector<QRgb> base(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&base[size_t(y) * width], first.constScanLine(y), size_t(width) * sizeof(QRgb));
    std::array<QRgb, kLedColours.size()> leds{};
    for (size_t k = 0; k < kLedColours.size(); ++k)
        leds[k] = rgbOf(kLedColours[k]) | 0xFF000000u;
    std::map<QRgb, GifByteType> nearest;
    const auto indexOf = [&](QRgb p, size_t i) -> GifByteType {
        if (qAlpha(p) < 128)
            return kTransparent;
        if (p == base[i])
            return GifByteType(kFirstFan + fan[i]);
        const QRgb rgb = p | 0xFF000000u;
        for (size_t k = 0; k < leds.size(); ++k)
            if (rgb == leds[k])
                return GifByteType(kFirstLed + k);
        auto found = nearest.find(rgb);
        if (found != nearest.end())
            return found->second;
        int best = kFirstFan, bestDistance = INT32_MAX;
        for (int k = 0; k < fanColours; ++k) {
            const GifColorType &c = palette->Colors[kFirstFan + k];
            const int dr = qRed(rgb) - c.Red, dg = qGreen(rgb) - c.Green, db = qBlue(rgb) - c.Blue;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = kFirstFan + k;
            }
        }
        return nearest.emplace(rgb, GifByteType(best)).first->second;
    };

    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, writeBytes, &error);
    if (!gif) {
        GifFreeMapObject(palette);
        return {};
    }
    EGifSetGifVersion(gif, true);  // GIF89a: frame delays, see-through and the loop
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, palette) == GIF_OK;
    // Looping for ever: the NETSCAPE2.0 extension with a loop count of 0.
    static const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    // Each frame but the first holds only the rectangle that changed since the frame
    // before, its unchanged pixels see-through so the one before shows: far less to
    // compress, the same pictures. A frame that turns a shown pixel see-through cannot
    // be drawn over its predecessor: that predecessor is then cleared after it is shown
    // (its disposal), and the frame is written whole.
    const int count = int(frames.size());
    std::vector<QImage> argb(frames.size());
    for (int k = 0; k < count; ++k)
        argb[size_t(k)] = frames[size_t(k)].convertToFormat(QImage::Format_ARGB32);
    const auto pixelAt = [&](int k, int x, int y) {
        return reinterpret_cast<const QRgb *>(argb[size_t(k)].constScanLine(y))[x];
    };
    // Whether frame k can be drawn over frame k - 1.
    const auto drawsOver = [&](int k) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (qAlpha(pixelAt(k, x, y)) < 128 && qAlpha(pixelAt(k - 1, x, y)) >= 128)
                    return false;
        return true;
    };
    std::vector<bool> whole(frames.size(), true);
    for (int k = 1; k < count; ++k)
        whole[size_t(k)] = !drawsOver(k);
    std::vector<GifByteType> line(static_cast<size_t>(width));
    for (int k = 0; k < count && ok; ++k) {
        QRect area(0, 0, width, height);
        if (!whole[size_t(k)]) {
            int left = width, top = height, right = -1, bottom = -1;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (pixelAt(k, x, y) != pixelAt(k - 1, x, y)) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            area = right < 0 ? QRect(0, 0, 1, 1) : QRect(QPoint(left, top), QPoint(right, bottom));
        }
        GraphicsControlBlock control{};
        // Cleared after it is shown only when the next frame must start from nothing.
        control.DisposalMode = k + 1 < count && whole[size_t(k + 1)] ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
        control.DelayTime = sim::kTickMs / 10;
        control.TransparentColor = kTransparent;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
             EGifPutImageDesc(gif, area.x(), area.y(), area.width(), area.height(), false, nullptr) == GIF_OK;
        for (int y = area.top(); y <= area.bottom() && ok; ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = pixelAt(k, x, y);
                const bool kept = !whole[size_t(k)] && p == pixelAt(k - 1, x, y);
                line[size_t(x - area.left())] = kept ? GifByteType(kTransparent) : indexOf(p, size_t(y) * width + x);
            }
            ok = EGifPutLine(gif, line.data(), area.width()) == GIF_OK;
        }
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(palette);
    return ok ? out : QByteArray();
}

bool WriteAnimationGif(const QString &path, const MessageDocument &document)
{
    const QByteArray gif = encodeAnimationGif(animationFrames(document));
    return !gif.isEmpty() && writeFileAtomically(path, gif);
}

} // namespace tessivo
