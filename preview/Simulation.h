// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The display simulation without a window: the play list of the rows, the animation
// that plays each row's opening, middle and closing effect one step a tick, and the
// geometry of the dots that the blade's LED column paints around the hub. The arithmetic
// that decides which pixel is lit (single-precision steps, truncations, integer
// divisions) is the display's own, so the picture matches what the fan shows.

#include "rows/MonoImage.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tessivo {

class MessageDocument;

namespace sim {
constexpr int kFrameSize = 192;    // the fan picture and the window's client area
constexpr int kTickMs = 100;       // one animation step
constexpr int kPauseTicks = 5;     // the 500 ms between two rows
constexpr int kColStep = 2, kLedStep = 1, kAngleStep = 3;
constexpr int kNoMiddle = -1;
}

/// One playable row: its own copy of the row's LEDs, so nothing the rows do while the
/// simulation plays can reach what it reads.
struct PlayEntry {
    int sourceRow = 0;
    MonoImage rowImage;      // pixel (column, LED), LED 0 the outermost (the top of the characters)
    int circleColumns = 0;   // X: column positions on the whole circle
    int usedColumns = 0;     // W: columns the row's text occupies
    int ledCount = 0;        // N
    int openEffect = 0;      // 0-6
    int middleEffect = sim::kNoMiddle;  // 0-3, or -1
    int closeEffect = 0;     // 0-6
};

/// Columns on the whole circle for a row width B: B + B / 4, and for the 7-LED type
/// (B + B / 4) x 7 / 5, in integers (210, 200-225 and 180).
int circleColumnsFor(int ledType, int rowWidth);

/// The play list of the enabled rows that hold characters, in row order.
std::vector<PlayEntry> BuildPlayList(const MessageDocument &document);

/// The animation: what is visible of the current row and how it is turned.
struct SimState {
    bool running = false;
    int rowCount = 0;
    int curRow = -1;     // the playing entry; -1 nothing
    bool rowDone = false;
    int phase = 0;       // 0 opening, 1 middle, 2 closing
    int W = 0, N = 0;
    int openEffect = 0, middleEffect = sim::kNoMiddle, closeEffect = 0;
    int colFrom = 0, colTo = 0;  // visible columns colFrom <= c < colTo
    int ledFrom = 0, ledTo = 0;  // visible LEDs ledFrom <= l < ledTo
    int gapHalf = 0;             // half width of a hidden band in the middle
    int angle = 0;               // degrees the text is turned
    int arcTimesN = 0;
    int tick = 0;
    uint8_t holdCount = 0;
    int pauseLeft = -1;          // ticks left of the pause between rows; -1 none
};

class Simulation {
public:
    /// Plays the entries from the first one; a second Start restarts. Nothing plays
    /// without entries.
    void Start(std::vector<PlayEntry> entries, int frameWidth = sim::kFrameSize);
    void Stop();
    /// One timer tick; answers whether the picture changed (the pause's ticks do not).
    bool Tick();

    const SimState &state() const { return state_; }
    const std::vector<PlayEntry> &playList() const { return entries_; }
    /// The entry playing now, or nothing.
    const PlayEntry *current() const;
    bool playing() const { return state_.running && state_.curRow >= 0; }

private:
    void startRow(int k);

    SimState state_;
    std::vector<PlayEntry> entries_;
    int frameWidth_ = sim::kFrameSize;
};

/// The dot geometry of a client area: centre, outer radius, radial sub-step and scale.
struct DotGeometry {
    int cx = 0, cy = 0, R = 0;
    float s = 0, o = 0;  // radial sub-step, radial scale per LED
    float a = 0, d = 0;  // arc per column (one decimal), column sub-step
};
DotGeometry dotGeometry(int clientWidth, int clientHeight, int ledCount, int arcTimesN);

/// Calls `dot(x, y)` for every lit dot of the current frame, in the order the blade
/// paints them.
template <class Dot>
void ForEachDot(const SimState &state, const PlayEntry &entry, int clientWidth, int clientHeight, Dot dot);

/// The picture with its pure white pixels see-through, as the frame is shown.
QImage transparentWhite(const QImage &picture);

/// Composes a frame: the background (an ARGB32 picture from transparentWhite), then,
/// while a row plays, its dots in the LED colour (0x00BBGGRR; pure white is
/// see-through too). `frame` takes the background's size and format.
void ComposeFrame(QImage &frame, const QImage &background, const Simulation &simulation, uint32_t ledColor);

// ---- the dots ----

namespace sim {
constexpr float kPi = 3.1415927f;
/// Degrees of the angle of column position A, turned by `angle`: the middle of the text
/// stands at the top and columns run clockwise.
inline double dotRadians(float A, float D, int X, int angle)
{
    return (double(A + D) / X * 360.0 + angle + 90.0) * double(kPi) / 180.0;
}
}

template <class Dot>
void ForEachDot(const SimState &state, const PlayEntry &entry, int clientWidth, int clientHeight, Dot dot)
{
    const int N = state.N, W = state.W, X = entry.circleColumns;
    if (N <= 0 || X <= 0)
        return;
    const DotGeometry g = dotGeometry(clientWidth, clientHeight, N, state.arcTimesN);
    if (!(g.d > 0))
        return;
    const int hiddenFrom = std::max(0, W / 2 - state.gapHalf);
    const int hiddenTo = std::min(W, W / 2 + state.gapHalf);
    const float D = float(X - W) * 0.5f;
    const bool threeDots = N <= 8;
    for (float A = float(state.colFrom); A < float(state.colTo); A = A + g.d) {
        if (A >= float(hiddenFrom) && A < float(hiddenTo))
            continue;
        const int column = int(A);
        // The angle depends on the column position only: once for all its LEDs.
        const double theta = sim::dotRadians(A, D, X, state.angle);
        const double cosTheta = std::cos(theta), sinTheta = std::sin(theta);
        for (float H = float(state.ledFrom); H < float(state.ledTo); H = H + g.s) {
            if (threeDots && H == float(int(H)))
                continue;  // a dark gap between neighbouring LEDs
            if (!entry.rowImage.pixel(column, int(H)))
                continue;
            const float L = float(g.R) - float(g.R) * g.o * H;
            dot(int(cosTheta * L + g.cx), int(sinTheta * L + g.cy));
        }
    }
}

} // namespace tessivo
