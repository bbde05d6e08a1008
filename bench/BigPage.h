// The page the drawing and export benchmarks share: 20 log tracks of 1,000,000
// samples each (every other one filled, a null every 50,000 samples) over the whole
// depth window, laid out at 96 dpi with a 9 in plot.
#pragma once

#include "doc/TarvikDoc.h"
#include "tracks/LogTrack.h"
#include "view/TarvikView.h"

#include <algorithm>
#include <memory>
#include <string>

constexpr int kBigPageSamples = 1000000;
constexpr float kBigPageStep = 0.1524f;

// Track t of the page: a random walk between 5 and 150 of its own seed, filled when
// t is odd.
inline std::unique_ptr<CLogTrack> BigPageLog(int t) {
    auto log = std::make_unique<CLogTrack>();
    log->width = 0.4f;
    log->hAxis.Init(kAxisLinearH, 0, 150, 50, "GR" + std::to_string(t));
    log->hAxis.majorGrids = 1;
    log->depthstep = kBigPageStep;
    log->nullvalue = -999.25f;
    log->colorFill = t % 2;
    log->values.resize(kBigPageSamples);
    unsigned seed = 1234u + static_cast<unsigned>(t);
    float wander = 75;
    for (int i = 0; i < kBigPageSamples; ++i) {
        seed = seed * 1103515245u + 12345u;
        wander += (static_cast<float>((seed >> 8) % 2001) - 1000.0f) * 0.01f;
        wander = std::clamp(wander, 5.0f, 145.0f);
        log->values[static_cast<size_t>(i)] = i % 50000 == 0 ? -999.25f : wander;
    }
    log->count = kBigPageSamples;
    return log;
}

template <class Platform>
struct CBigPage {
    static constexpr int kTracks = 20;

    Platform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};

    CBigPage() {
        doc.EnsureDepthAxisTrack(kMeters);
        doc.meterAxis.min = 0;
        doc.meterAxis.max = kBigPageSamples * kBigPageStep;
        doc.meterAxis.majorUnit = 20000;
        doc.meterAxis.minorUnit = 4000;
        for (int t = 0; t < kTracks; ++t) {
            auto log = BigPageLog(t);
            doc.BindToDepthAxis(*log, kMeters);
            doc.tracks.push_back(std::move(log));
        }
        view.SetResolution(96, 96);
        doc.logHeight = 9.0f;
        view.RecalcLayout();
    }
};
