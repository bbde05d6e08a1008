#include "axes/AxisPage.h"

#include "axes/Axis.h"

namespace {

constexpr const char* kPositive = "Number should be greater than 0";
constexpr const char* kPositiveLog = "Number should be greater than 0 for log scale";

// Grid lines are solid or the platform's dotted style, which the page calls "Dashed".
constexpr int kDashedStyle = 2;

CGridGroupValues LoadGroup(int draw, int style, int width, ColourRef colour) {
    return {draw != 0, style != 0, width, colour};
}

} // namespace

CAxisPageValues LoadAxisPage(const CAxis& axis) {
    CAxisPageValues v;
    v.label = axis.title;
    v.max = axis.max;
    v.min = axis.min;
    v.majorUnit = axis.majorUnit;
    v.minorUnit = axis.minorUnit;
    v.logarithmic = axis.axisType == kAxisLogH || axis.axisType == kAxisLogV;
    v.reverse = axis.reverse != 0;
    return v;
}

std::optional<CAxisPageError> ValidateAxisPage(const CAxisPageValues& v) {
    // Negated comparisons so that a NaN fails each check instead of passing it.
    if (!(v.max > v.min))
        return CAxisPageError{"Max should be greater than Min", AxisPageField::Minimum};
    if (!(v.minorUnit > 0)) return CAxisPageError{kPositive, AxisPageField::MinorUnit};
    if (!(v.majorUnit > 0)) return CAxisPageError{kPositive, AxisPageField::MajorUnit};
    if (v.logarithmic) {
        if (!(v.min > 0)) return CAxisPageError{kPositiveLog, AxisPageField::Minimum};
        if (!(v.max > 0)) return CAxisPageError{kPositiveLog, AxisPageField::Maximum};
        return std::nullopt;
    }
    const double range = static_cast<double>(v.max) - v.min;
    if (!(range / v.majorUnit <= 200))
        return CAxisPageError{"The major unit may be too small for the range.",
                              AxisPageField::MajorUnit};
    if (!(range / v.minorUnit <= 500))
        return CAxisPageError{"The minor unit may be too small for the range.",
                              AxisPageField::MinorUnit};
    return std::nullopt;
}

int AxisTypeFor(int currentType, bool logarithmic) {
    const bool horizontal = currentType == kAxisLinearH || currentType == kAxisLogH;
    if (logarithmic) return horizontal ? kAxisLogH : kAxisLogV;
    return horizontal ? kAxisLinearH : kAxisLinearV;
}

std::string LimitLabel(const std::string& label) {
    int count = 0;
    for (size_t i = 0; i < label.size(); ++i) {
        // Continuation bytes belong to the character before them.
        if ((static_cast<unsigned char>(label[i]) & 0xC0) == 0x80) continue;
        if (++count > kAxisLabelLimit) return label.substr(0, i);
    }
    return label;
}

void StoreAxisPage(const CAxisPageValues& v, CAxis& axis) {
    axis.title = LimitLabel(v.label);
    axis.max = v.max;
    axis.min = v.min;
    axis.majorUnit = v.majorUnit;
    axis.minorUnit = v.minorUnit;
    axis.reverse = v.reverse ? 1 : 0;
    axis.axisType = AxisTypeFor(axis.axisType, v.logarithmic);
}

CGridPageValues LoadGridPage(const CAxis& axis) {
    return {LoadGroup(axis.majorGrids, axis.majorStyle, axis.majorWidth, axis.majorColour),
            LoadGroup(axis.minorGrids, axis.minorStyle, axis.minorWidth, axis.minorColour)};
}

void StoreGridPage(const CGridPageValues& v, CAxis& axis) {
    axis.majorGrids = v.major.draw ? 1 : 0;
    axis.majorStyle = v.major.dashed ? kDashedStyle : 0;
    axis.majorWidth = v.major.width;
    axis.majorColour = v.major.colour;
    axis.minorGrids = v.minor.draw ? 1 : 0;
    axis.minorStyle = v.minor.dashed ? kDashedStyle : 0;
    axis.minorWidth = v.minor.width;
    axis.minorColour = v.minor.colour;
}
