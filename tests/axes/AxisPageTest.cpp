#include "axes/AxisPage.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

// The first failing check gives its message and the field that takes the focus.
TEST(AxisPage, ChecksInOrderAndNamesTheField) {
    using F = AxisPageField;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::string unitTooSmall = " unit may be too small for the range.";
    const struct {
        float min, max, major, minor;
        bool log;
        std::string message; // "" when the page may close
        F focus;
    } cases[] = {
        {0, 100, 20, 4, false, "", F::Minimum},
        {0, 100, 0, 4, false, "Number should be greater than 0", F::MajorUnit},
        {100, 100, 0, 0, false, "Max should be greater than Min", F::Minimum},
        {0, 1000, 1, 0.5f, false, "The major" + unitTooSmall, F::MajorUnit},
        {0, 1000, 5, 2, false, "", F::Minimum}, // 200 and 500 divisions are allowed
        {0, 1000, 5, 1.9f, false, "The minor" + unitTooSmall, F::MinorUnit},
        {0, 100, 1, 0.001f, true, "Number should be greater than 0 for log scale", F::Minimum},
        {0.1f, 100, 1, 0.001f, true, "", F::Minimum}, // a log range may hold any number of units
        {nan, 100, 20, 4, false, "Max should be greater than Min", F::Minimum},
        {0, 100, nan, 4, false, "Number should be greater than 0", F::MajorUnit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " by " +
                     std::to_string(c.major) + "/" + std::to_string(c.minor));
        const auto e = ValidateAxisPage({"GR", c.max, c.min, c.major, c.minor, c.log, false});
        EXPECT_EQ(e ? e->message : "", c.message);
        EXPECT_EQ(e ? e->focus : F::Minimum, c.focus);
    }
}

// The limit counts characters, not bytes: 70 two-byte letters keep 64 of them whole.
TEST(AxisPage, LabelsAreCutAtTheLimitInCharacters) {
    EXPECT_EQ(LimitLabel(std::string(70, 'x')), std::string(64, 'x'));
    std::string accents;
    for (int i = 0; i < 70; ++i)
        accents += "\xC3\xA9";
    EXPECT_EQ(LimitLabel(accents), accents.substr(0, 128));
}
