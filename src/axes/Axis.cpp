#include "axes/Axis.h"

#include <cmath>
#include <utility>

int RoundHalfUp(double x) {
    const double f = std::floor(x);
    return SaturatePixels(x - f >= 0.5 ? f + 1.0 : f);
}

int Decade(double log10Value) {
    const double d = std::floor((log10Value * 10000.0 + 1.0) / 10000.0);
    // Floats span about 10^-45 to 10^38; anything beyond is not a real decade.
    if (std::isnan(d)) return 0;
    if (d > 64) return 64;
    if (d < -64) return -64;
    return static_cast<int>(d);
}

double LabelRound(double v, double u) {
    const double lu = std::log10(std::fabs(u));
    double k = std::isfinite(lu) ? 3.0 - std::trunc(lu) : 0.0;
    if (k < 0) k = 0;
    if (k > 9) k = 9; // 10^9 is the largest power of ten an int holds
    const double m = static_cast<double>(static_cast<int>(std::pow(10.0, k) + 0.5));
    return std::floor(m * v + 0.5) / m;
}

double FirstTick(double v, double u) { return std::ceil(v / u) * u; }

double ProbabilityToZ(double percent) {
    double p = percent / 100.0;
    // The tails are infinite; keep them finite so the mapping stays defined.
    constexpr double kTail = 1e-12;
    if (!(p >= kTail)) p = kTail;
    if (p > 1.0 - kTail) p = 1.0 - kTail;
    auto n = [](double t) { return 2.515517 + 0.802853 * t + 0.010328 * t * t; };
    auto d = [](double t) {
        return 1.0 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t;
    };
    if (p <= 0.5) {
        const double t = std::sqrt(std::log(1.0 / (p * p)));
        return t - n(t) / d(t);
    }
    const double t = std::sqrt(std::log(1.0 / ((1.0 - p) * (1.0 - p))));
    return n(t) / d(t) - t;
}

double ZToProbability(double z) {
    const double y = -z;
    if (std::isnan(y)) return 50.0;
    if (y > 6) return 100.0;
    if (y < -6) return 0.0;
    const double k = 1.0 / (1.0 + 0.2316419 * std::fabs(y));
    const double q =
        0.3989423 * std::exp(-y * y / 2.0) * k *
        (0.31938153 +
         k * (-0.356563782 + k * (1.781477937 + k * (-1.821255978 + k * 1.330274429))));
    const double phi = 1.0 - q;
    return y >= 0 ? 100.0 * phi : 100.0 * (1.0 - phi);
}

CAxis::CAxis()
    : titleFont(CFontDesc::Points("Arial", 80)), tickFont(CFontDesc::Points("Arial", 60)) {}

int CAxis::SetPixelRange(int start, int end, int cross) {
    pixelStart = start;
    pixelEnd = end;
    crossPos = cross;
    return 1;
}

void CAxis::Init(int type, float minValue, float maxValue, float major, const std::string& label) {
    axisType = type;
    title = label;
    min = minValue;
    max = maxValue;
    if (major > 0)
        majorUnit = major;
    else
        AutoScale(min, max, 5);
    minorUnit = majorUnit / 5;
}

void CAxis::AutoScale(float low, float high, int divisions) {
    if (!std::isfinite(low) || !std::isfinite(high)) return; // nothing sensible to fit
    const int n = divisions < 1 ? 1 : divisions;
    bool swapped = false;
    if (high < low) {
        std::swap(low, high);
        swapped = true;
    }
    if (high - low < 1e-20f) {
        low -= 1;
        high += 1;
        // Far from zero, adding 1 may not change a float; widen relative to the value.
        if (!(high > low)) {
            const float w = std::fabs(low) * 1e-6f;
            low -= w;
            high += w;
        }
    }
    const double raw = (static_cast<double>(high) - static_cast<double>(low)) / n;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    if (!(raw > 0) || !std::isfinite(raw) || !(p > 0) || !std::isfinite(p)) return;
    int m = static_cast<int>(std::floor(raw / p));
    if (m < 1) m = 1; // rounding can put raw / p a hair off the 1..9 digit
    if (m == 3)
        m = 2;
    else if (m == 6 || m == 7)
        m = 5;
    else if (m >= 8)
        m = 10;
    majorUnit = static_cast<float>(m * p);
    min = std::floor(low / majorUnit) * majorUnit;
    max = std::ceil(high / majorUnit) * majorUnit;
    const int k = RoundHalfUp((max - min) / majorUnit);
    if (k >= 2 * n)
        majorUnit *= 2;
    else if (k < n / 2)
        majorUnit /= 2;
    if (swapped) {
        std::swap(min, max);
        majorUnit = -majorUnit;
    }
    minorUnit = majorUnit / 5;
}

void CAxis::StepRange(int count) {
    if (IsLogarithmic()) {
        // A logarithmic range steps by a decade: a linear unit added to it would be
        // rescaled as if linear, down to a minimum of 0 that no log axis can show.
        if (count > 0 && max < 1e37f) max *= 10;
        if (count < 0 && max / 10 > min) max /= 10;
        return;
    }
    if (count > 0) {
        max += majorUnit;
        if ((max - min) / majorUnit > 8) AutoScale(min, max, 4);
    } else if (count < 0) {
        if (max - min > majorUnit) {
            max -= majorUnit;
            if ((max - min) / majorUnit <= 2) AutoScale(min, max, 4);
        }
    }
}

void CAxis::SetLogRange(float low, float high) {
    if (!(low > 0) || !std::isfinite(low)) low = 0.01f;
    if (!(high > 0) || !std::isfinite(high)) high = 1.0f;
    const int eH = Decade(std::log10(high));
    int eL = Decade(std::log10(low));
    const float pH = std::pow(10.0f, static_cast<float>(eH));
    max = std::ceil(high / pH) * pH;
    // Decade rounds up within 0.0001 of a decade, so a low just under a power of ten
    // would floor to 0, which no logarithmic axis can show: take the decade below.
    float pL = std::pow(10.0f, static_cast<float>(eL));
    if (std::floor(low / pL) < 1) pL = std::pow(10.0f, static_cast<float>(--eL));
    min = std::floor(low / pL) * pL;
    // A constant curve would leave no range at all: show its decade.
    if (!(max > min)) {
        min = pL;
        max = pL * 10.0f;
    }
}

double CAxis::Fraction(float v) const {
    double f;
    switch (axisType) {
    case kAxisLogH:
    case kAxisLogV:
    case kAxisDateH: {
        const float lmin = std::log10(min);
        const float lmax = std::log10(max);
        if (lmax == lmin) return 0.0;
        f = (std::log10(v) - lmin) / (lmax - lmin);
        break;
    }
    case kAxisProbabilityV: {
        const double zmin = ProbabilityToZ(min);
        const double zmax = ProbabilityToZ(max);
        if (zmax == zmin) return 0.0;
        f = (ProbabilityToZ(v) - zmin) / (zmax - zmin);
        break;
    }
    default:
        if (max == min) return 0.0;
        f = (v - min) / (max - min);
        break;
    }
    // A log axis with min <= 0 gives NaN: pin it to the start. A value <= 0 on a
    // sound log axis gives -infinity, which saturates far off the start side.
    return std::isnan(f) ? 0.0 : f;
}

int CAxis::MapValue(float value) const {
    const float d = static_cast<float>(Fraction(value) * static_cast<float>(pixelEnd - pixelStart));
    const long long r = reverse ? static_cast<long long>(pixelEnd) - RoundHalfUp(d)
                                : static_cast<long long>(pixelStart) + RoundHalfUp(d);
    return SaturatePixels(static_cast<double>(r));
}

float CAxis::PixelToValue(int coordinate) const {
    const double span = static_cast<double>(pixelEnd) - pixelStart;
    const double t = span == 0 ? 0.0 : (coordinate - static_cast<double>(pixelStart)) / span;
    auto lerp = [&](double a, double b) { return reverse ? b - (b - a) * t : a + (b - a) * t; };
    switch (axisType) {
    case kAxisLogH:
    case kAxisLogV:
    case kAxisDateH:
        if (!(min > 0) || !(max > 0)) return min;
        return static_cast<float>(std::pow(10.0, lerp(std::log10(double{min}), std::log10(double{max}))));
    case kAxisProbabilityV:
        return static_cast<float>(ZToProbability(lerp(ProbabilityToZ(min), ProbabilityToZ(max))));
    default:
        return static_cast<float>(lerp(min, max));
    }
}
