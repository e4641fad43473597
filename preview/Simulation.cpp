// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview/Simulation.h"

#include "document/MessageDocument.h"

#include <cstring>

namespace tessivo {

int circleColumnsFor(int ledType, int rowWidth)
{
    const int X = rowWidth + rowWidth / 4;
    return ledType == ledtype::k7 ? X * 7 / 5 : X;
}

std::vector<PlayEntry> BuildPlayList(const MessageDocument &document)
{
    std::vector<PlayEntry> entries;
    for (int k = 0; k < MessageDocument::kRows; ++k) {
        if (!document.isRowEnabled(k))
            continue;
        const RowModel &row = document.row(k);
        const int W = row.n() > 0 ? row.usedWidth() : 0;
        if (W == 0)
            continue;
        const RowEffects effects = document.effects(k);
        PlayEntry entry;
        entry.sourceRow = k;
        // The row's LEDs as they are now, the row's own columns and LEDs.
        entry.rowImage = MonoImage(row.rowWidth(), row.height());
        entry.rowImage.copyFrom(row.rowImage(), {0, 0, row.rowWidth(), row.height()}, 0, 0);
        entry.circleColumns = circleColumnsFor(row.ledType(), row.rowWidth());
        entry.usedColumns = W;
        entry.ledCount = row.height();
        entry.openEffect = effects.opening;
        entry.middleEffect = document.useMiddle() ? effects.middle : sim::kNoMiddle;
        entry.closeEffect = effects.closing;
        entries.push_back(std::move(entry));
    }
    return entries;
}

const PlayEntry *Simulation::current() const
{
    if (state_.curRow < 0 || state_.curRow >= int(entries_.size()))
        return nullptr;
    return &entries_[size_t(state_.curRow)];
}

void Simulation::Start(std::vector<PlayEntry> entries, int frameWidth)
{
    entries_ = std::move(entries);
    frameWidth_ = frameWidth;
    if (entries_.empty())
        return;
    state_ = SimState{};
    state_.rowCount = int(entries_.size());
    state_.curRow = 0;
    state_.rowDone = false;
    startRow(0);
    state_.running = true;
}

void Simulation::Stop()
{
    state_.curRow = -1;
}

void Simulation::startRow(int k)
{
    const PlayEntry &e = entries_[size_t(k)];
    SimState &s = state_;
    s.W = e.usedColumns;
    s.N = e.ledCount;
    s.openEffect = e.openEffect;
    s.middleEffect = e.middleEffect;
    s.closeEffect = e.closeEffect;
    s.phase = 0;
    s.angle = 0;
    s.tick = 0;
    s.holdCount = 0;
    s.ledFrom = 0;
    s.ledTo = s.N;
    s.colFrom = 0;
    s.colTo = s.W;
    s.gapHalf = 0;
    // N times the length in pixels of one column's arc on a circle of diameter P - N.
    s.arcTimesN = int(float(frameWidth_ - s.N) * sim::kPi / float(e.circleColumns) * float(s.N));
    switch (s.openEffect) {
    case 0: s.colTo = 0; break;
    case 1: s.colFrom = s.W; break;
    case 2: s.ledTo = 0; break;
    case 3: s.ledFrom = s.N; break;
    case 4: s.colFrom = s.colTo = s.W / 2; break;
    case 5: s.gapHalf = s.W / 2; break;
    default: break;
    }
}

bool Simulation::Tick()
{
    SimState &s = state_;
    if (!playing())
        return false;
    if (s.rowDone) {
        // The pause between rows holds the animation only; the window goes on.
        if (s.pauseLeft < 0)
            s.pauseLeft = sim::kPauseTicks;
        if (s.pauseLeft > 0) {
            --s.pauseLeft;
            return false;
        }
        s.pauseLeft = -1;
        s.curRow = (s.curRow + 1) % s.rowCount;
        s.rowDone = false;
        startRow(s.curRow);
        return true;
    }

    if (s.phase == 0) {
        bool full = false;
        switch (s.openEffect) {
        case 0:
            s.colTo += sim::kColStep;
            if (s.colTo >= s.W) {
                s.colTo = s.W;
                full = true;
            }
            break;
        case 1:
            s.colFrom -= sim::kColStep;
            if (s.colFrom <= 0) {
                s.colFrom = 0;
                full = true;
            }
            break;
        case 2:
            s.ledTo += sim::kLedStep;
            if (s.ledTo >= s.N) {
                s.ledTo = s.N;
                full = true;
            }
            break;
        case 3:
            s.ledFrom -= sim::kLedStep;
            if (s.ledFrom <= 0) {
                s.ledFrom = 0;
                full = true;
            }
            break;
        case 4:
            s.colFrom -= sim::kColStep;
            s.colTo += sim::kColStep;
            if (s.colFrom < 0 || s.colTo >= s.W) {
                s.colFrom = 0;
                s.colTo = s.W;
                full = true;
            }
            break;
        case 5:
            s.gapHalf -= sim::kColStep;
            if (s.gapHalf <= 0) {
                s.gapHalf = 0;
                full = true;
            }
            break;
        default:
            s.tick += 1;
            if (s.tick > 15) {
                s.tick = 0;
                full = true;
            }
            break;
        }
        if (full)
            s.holdCount = uint8_t(s.holdCount + 1);
        const int holds = s.openEffect == 6 ? 1 : 10;
        if (s.holdCount > holds) {
            if (s.middleEffect == sim::kNoMiddle) {
                s.phase = 2;
            } else {
                s.phase = 1;
                s.angle = s.middleEffect == 0 ? 360 : 0;
            }
        }
    } else if (s.phase == 1) {
        switch (s.middleEffect) {
        case 0:
            s.angle -= sim::kAngleStep;
            if (s.angle <= 0) {
                s.angle = 0;
                s.phase = 2;
            }
            break;
        case 1:
            s.angle += sim::kAngleStep;
            if (s.angle > 360) {
                s.angle = 360;
                s.phase = 2;
            }
            break;
        case 2: {
            // Three dark spells of four ticks, the row shown between and after them.
            const int t = s.tick;
            if (t < 24)
                s.colTo = (t / 4) % 2 == 0 ? 0 : s.W;
            s.tick += 1;
            if (s.tick > 28) {
                s.tick = 0;
                s.phase = 2;
            }
            break;
        }
        case 3:
            s.tick += 1;
            if (s.tick > 20) {
                s.tick = 0;
                s.phase = 2;
            }
            break;
        default:
            s.phase = 2;
            break;
        }
    } else {
        switch (s.closeEffect) {
        case 0:
            s.colTo -= sim::kColStep;
            if (s.colTo <= 0) {
                s.colTo = 0;
                s.rowDone = true;
            }
            break;
        case 1:
            s.colFrom += sim::kColStep;
            if (s.colFrom >= s.W) {
                s.colFrom = s.W;
                s.rowDone = true;
            }
            break;
        case 2:
            s.ledTo -= sim::kLedStep;
            if (s.ledTo <= 0) {
                s.ledTo = 0;
                s.rowDone = true;
            }
            break;
        case 3:
            s.ledFrom += sim::kLedStep;
            if (s.ledFrom >= s.N) {
                s.ledFrom = s.N;
                s.rowDone = true;
            }
            break;
        case 4:
            s.colFrom += sim::kColStep;
            s.colTo -= sim::kColStep;
            s.gapHalf = 0;
            if (s.colFrom >= s.W / 2 || s.colTo <= s.W / 2) {
                s.colFrom = s.colTo = s.W / 2;
                s.rowDone = true;
            }
            break;
        case 5:
            s.gapHalf += sim::kColStep;
            if (s.gapHalf >= s.W / 2) {
                s.gapHalf = s.colFrom = s.colTo = 0;
                s.rowDone = true;
            }
            break;
        default:
            s.tick += 1;
            s.colFrom = s.colTo = 0;
            if (s.tick > 10) {
                s.tick = 0;
                s.rowDone = true;
            }
            break;
        }
    }
    return true;
}

DotGeometry dotGeometry(int clientWidth, int clientHeight, int ledCount, int arcTimesN)
{
    DotGeometry g;
    g.cx = clientWidth / 2;
    g.cy = clientHeight / 2;
    g.R = (clientWidth - 16) / 2;
    // 2/7 and 17/42 of the radius, held at single precision: the ring of LEDs.
    constexpr float kShortRing = 0.2857143f, kLongRing = 0.4047619f;
    if (ledCount <= 8) {
        g.s = 0.25f;
        g.o = kShortRing / float(ledCount);
    } else if (ledCount <= 14) {
        g.s = 0.4f;
        g.o = kShortRing / float(ledCount);
    } else {
        g.s = 0.4f;
        g.o = kLongRing / float(ledCount);
    }
    g.a = float(int(float(arcTimesN) / float(ledCount) * 10.0f)) / 10.0f;
    g.d = g.a > 0 ? 0.5f / g.a : 0.0f;
    return g;
}

QImage transparentWhite(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                line[x] = 0;
    }
    return out;
}

void ComposeFrame(QImage &frame, const QImage &background, const Simulation &simulation, uint32_t ledColor)
{
    if (frame.size() != background.size() || frame.format() != background.format())
        frame = QImage(background.size(), background.format());
    const int width = frame.width(), height = frame.height();
    const qsizetype lineBytes = qsizetype(width) * qsizetype(sizeof(QRgb));
    for (int y = 0; y < height; ++y)
        std::memcpy(frame.scanLine(y), background.constScanLine(y), size_t(lineBytes));
    const PlayEntry *entry = simulation.current();
    if (!simulation.state().running || !entry)
        return;
    // 0x00BBGGRR as the image's pixel; pure white is as see-through as the picture's.
    const uint32_t rgb = ledColor & 0x00FFFFFF;
    const QRgb colour = rgb == 0x00FFFFFF ? 0 : qRgb(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int(rgb >> 16));
    auto *bits = reinterpret_cast<QRgb *>(frame.bits());
    const qsizetype stride = frame.bytesPerLine() / qsizetype(sizeof(QRgb));
    ForEachDot(simulation.state(), *entry, width, height, [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            bits[y * stride + x] = colour;
    });
}

} // namespace tessivo
