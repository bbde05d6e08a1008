#pragma once

#include "gfx/Colour.h"
#include "tracks/Track.h"

#include <string>
#include <vector>

// One regularly sampled well-log curve: values at a fixed depth step.
class CLogTrack : public CTrack {
public:
    CLogTrack() { type = kTrackLog; }

    void SetDepthUnit(int unit) override;
    void CopyData(IPlatformServices& platform) override;
    void Draw(CDrawSurface& dc) override;
    void SaveHeader(CTableWriter& out, std::string_view table) override;
    void SaveData(CTableWriter& out, std::string_view table) override;
    int LoadHeader(kdManager& in, std::string_view table) override;
    int LoadData(kdManager& in, std::string_view table) override;

    // The mean of the samples between two depths; nullvalue when none lie there.
    float AverageRange(float top, float base) const;
    // A rounded header range over all samples that are not null, 3 divisions.
    void RescaleToData();
    // A centred moving average over length samples (an even length acts as the
    // next odd one), cut short at the ends; missing samples are left out of the
    // means and stay as they are. 0 when length / 2 is below 1 and nothing changed.
    int Smooth(int length);
    // The value operation (ValueOperation.h) on every sample that is present; gives
    // the number of samples it changed.
    int ApplyOperation(int code, float x);

    // Depth of sample i as drawn (with the track's depth shift).
    float SampleDepth(long long i) const {
        return startdepth + static_cast<float>(i) * depthstep - KB;
    }
    // Index of the sample at depth d, truncated toward zero and kept within a few
    // samples of the log so it converts to int safely.
    long long IndexOf(float d) const;

    std::vector<float> values; // sample 0 first
    int count = 0;
    float startdepth = 0.0f;
    float stopdepth = 0.0f;
    float depthstep = 0.0f;
    float nullvalue = 0.0f;
    int linewidth = 1;
    ColourRef linecolor = 0;
    int linestyle = 0;
    ColourRef fillColor = MakeRGB(150, 150, 190);
    int colorFill = 0;
    int fillSide = 0;
};
