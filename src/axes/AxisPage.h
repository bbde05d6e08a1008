// The values behind the "Axis" and "Grids" property pages: loaded from an axis,
// checked, and stored back. The Qt pages only show them.
#pragma once

#include "gfx/Colour.h"

#include <optional>
#include <string>

class CAxis;

// The label edit takes at most this many characters.
inline constexpr int kAxisLabelLimit = 64;

struct CAxisPageValues {
    std::string label;
    float max = 1;
    float min = 0;
    float majorUnit = 0.2f;
    float minorUnit = 0.05f;
    bool logarithmic = false;
    bool reverse = false;
};

// The edit that takes the keyboard focus after a refusal.
enum class AxisPageField { Minimum, Maximum, MajorUnit, MinorUnit };

struct CAxisPageError {
    std::string message;
    AxisPageField focus = AxisPageField::Minimum;
};

CAxisPageValues LoadAxisPage(const CAxis& axis);
// The first check the values fail, or nothing when the page may close.
std::optional<CAxisPageError> ValidateAxisPage(const CAxisPageValues& values);
// The box makes a horizontal axis (types 0 and 2) logarithmic as type 2 and any
// other as type 3; cleared, it gives type 0 or 1 the same way.
int AxisTypeFor(int currentType, bool logarithmic);
void StoreAxisPage(const CAxisPageValues& values, CAxis& axis);
// The first kAxisLabelLimit characters (not bytes) of a UTF-8 label.
std::string LimitLabel(const std::string& label);

struct CGridGroupValues {
    bool draw = false;
    bool dashed = false;
    int width = 0; // the "Line width:" radio index: 0 "Fine", 1 "Medium"
    ColourRef colour = 0;
};

struct CGridPageValues {
    CGridGroupValues major;
    CGridGroupValues minor;
};

CGridPageValues LoadGridPage(const CAxis& axis);
void StoreGridPage(const CGridPageValues& values, CAxis& axis);
