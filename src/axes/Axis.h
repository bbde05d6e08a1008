// An axis maps a range of values onto device coordinates and back, chooses round
// ranges and tick units, and draws itself (linear, logarithmic, probability and date
// kinds, horizontal or vertical).
#pragma once

#include "gfx/Colour.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <cmath>
#include <string>

class CDrawSurface;

// Axis types.
enum : int {
    kAxisLinearH = 0,
    kAxisLinearV = 1,
    kAxisLogH = 2,
    kAxisLogV = 3,
    kAxisProbabilityV = 4,
    kAxisDateH = 5,
};

// floor(x) + 1 when the fraction is at least 0.5, else floor(x). NaN gives 0 and
// values beyond the device range saturate, so no caller converts garbage to int.
inline int RoundHalfUp(float x) {
    if (std::fabs(x) < 1e9f) {
        // The floor by truncation, without a branch: curves round every sample
        // here, and a library floor or a mispredicted jump costs several times as
        // much. Both conversions are exact.
        const int t = static_cast<int>(x);
        const int down = static_cast<float>(t) > x;
        const float f = static_cast<float>(t - down);
        return t - down + static_cast<int>(x - f >= 0.5f);
    }
    if (std::isnan(x)) return 0;
    return x > 0 ? kPixelLimit : -kPixelLimit;
}
int RoundHalfUp(double x);
// The decade of a log10 value, with log10(1000) = 2.9999999 counting as 3.
int Decade(double log10Value);
// The label value of v for major unit u: v rounded to the decimals u needs.
double LabelRound(double v, double u);
// The first multiple of u at or above v.
double FirstTick(double v, double u);
// The standard normal deviate exceeded with the probability given in percent, and back.
double ProbabilityToZ(double percent);
double ZToProbability(double z);

class CAxis {
public:
    CAxis();
    virtual ~CAxis() = default;
    CAxis(const CAxis&) = default;
    CAxis& operator=(const CAxis&) = default;

    int SetPixelRange(int start, int end, int cross);
    void Init(int type, float minValue, float maxValue, float major, const std::string& label);
    void AutoScale(float low, float high, int divisions);
    void StepRange(int count);
    void SetLogRange(float low, float high);
    int ValueToPixel(float value) const {
        // The linear kinds inline: curves map every sample through here.
        if (axisType == kAxisLinearH || axisType == kAxisLinearV) {
            if (max == min) return reverse ? pixelEnd : pixelStart;
            const float f = (value - min) / (max - min);
            const float d = f * static_cast<float>(pixelEnd - pixelStart);
            if (std::fabs(d) < 1e9f) { // also false for NaN
                const int r = RoundHalfUp(d);
                return reverse ? pixelEnd - r : pixelStart + r;
            }
        }
        return MapValue(value);
    }
    float PixelToValue(int coordinate) const;

    // Drawing at the placement last set with SetPixelRange. Draw dispatches on the
    // axis type; any other type draws nothing.
    virtual void DrawDate(CDrawSurface& dc);
    virtual void Draw(CDrawSurface& dc);
    virtual void DrawLinearH(CDrawSurface& dc);
    virtual void DrawLinearV(CDrawSurface& dc);
    virtual void DrawLogH(CDrawSurface& dc);
    virtual void DrawLogV(CDrawSurface& dc);
    virtual void DrawProbabilityV(CDrawSurface& dc);

    // Grid lines: vertical ones from the header axis down to endY, horizontal ones
    // from a vertical axis across to endX.
    void DrawGridLinearH(CDrawSurface& dc, int endY, int gap);
    void DrawGridLogH(CDrawSurface& dc, int endY);
    void DrawGridLinearV(CDrawSurface& dc, int endX, int gap);

    bool IsLogarithmic() const {
        return axisType == kAxisLogH || axisType == kAxisLogV || axisType == kAxisDateH;
    }

    std::string title = "Axis Label";
    float min = 0.0f;
    float max = 1.0f;
    int pixelStart = 0;
    int pixelEnd = 0;
    int crossPos = 0;
    int axisType = kAxisLinearH;
    CFontDesc titleFont;
    CFontDesc tickFont;
    int reverse = 0;
    int tickSide = 1;
    int labelSide = 1;
    int majorGrids = 0;
    int minorGrids = 0;
    float majorUnit = 0.2f;
    float minorUnit = 0.05f;
    int tickLength = 6;
    int minorStyle = 0;
    int minorWidth = 0;
    int majorStyle = 0;
    int majorWidth = 0;
    ColourRef majorColour = MakeRGB(220, 220, 220);
    ColourRef minorColour = MakeRGB(230, 230, 255);

private:
    int MapValue(float value) const;
    // Fraction of the way from min to max, 0 when it is not defined.
    double Fraction(float value) const;
};
