#include "view/DepthScale.h"

#include "doc/TarvikDoc.h"
#include "base/TextParse.h"
#include "gfx/PlatformServices.h"

#include <cmath>

namespace {

// The boxes hand over at most this much of their text.
constexpr size_t kTextLimit = 64;

// The document's CurrentDepthAxis, for a document we only read.
const CTrackVAxis& CurrentAxis(const CTarvikDoc& doc) {
    return doc.depthUnit == kMeters ? doc.meterAxis : doc.feetAxis;
}

float WindowSize(const CTarvikDoc& doc) {
    const CTrackVAxis& axis = CurrentAxis(doc);
    return axis.max - axis.min;
}

// The number at the start of the text; "nan" counts as no number at all.
bool LeadingNumber(std::string_view text, float& number) {
    return ScanFloat(text.substr(0, kTextLimit), number) && !std::isnan(number);
}

// What stands for a value that cannot be shown as a number: a text no list item
// begins with and that applies nothing when entered.
constexpr const char* kNoValue = "-";

std::string Fixed(float value, int decimals) {
    if (!std::isfinite(value)) return kNoValue;
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

std::string Fixed1(float value) { return Fixed(value, 1); }

// One decimal, or two significant digits for a value below one.
std::string Significant(float value) {
    const float magnitude = std::fabs(value);
    if (!(magnitude < 0.95f) || magnitude == 0.0f) return Fixed1(value);
    const int decimals = static_cast<int>(std::ceil(-std::log10(magnitude))) + 1;
    return Fixed(value, std::min(decimals, 6));
}

} // namespace

bool ApplyScale(CTarvikDoc& doc, std::string_view text, IPlatformServices& platform) {
    float scale = 0.0f;
    if (!LeadingNumber(text, scale)) return false;
    if (scale > 5000.0f) {
        platform.Message("Too big?");
        return false;
    }
    if (scale < 0.1f) {
        platform.Message("Too small");
        return false;
    }
    // An empty or inverted window has no plot length to give.
    const float height = WindowSize(doc) / scale;
    if (!(height > 0.0f) || !std::isfinite(height)) return false;
    doc.logHeight = height;
    return true;
}

bool ApplyPlotLength(CTarvikDoc& doc, std::string_view text, IPlatformServices& platform) {
    float length = 0.0f;
    if (!LeadingNumber(text, length)) return false;
    if (length > 100.0f) {
        platform.Message("Too long (>100 in)");
        return false;
    }
    if (length < 2.0f) {
        platform.Message("Too short (<2 in)");
        return false;
    }
    doc.logHeight = length;
    return true;
}

std::string ScaleText(const CTarvikDoc& doc) {
    // A zero plot length (a damaged file) has no scale.
    if (doc.logHeight == 0.0f) return kNoValue;
    return Significant(WindowSize(doc) / doc.logHeight);
}

std::string ScaleUnitText(const CTarvikDoc& doc) { return doc.depthUnit == kFeet ? "ft" : "m"; }

std::string LengthText(const CTarvikDoc& doc) {
    return Fixed1(doc.logHeight) + " in";
}
