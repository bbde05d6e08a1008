#include "view/DepthScale.h"

#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct DepthScaleFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform}; // meter window 0 to 4000, logHeight 9

    // Applies the text and returns the message shown ("" for none); a refusal must
    // leave logHeight alone and nothing may mark the document modified.
    template <typename Apply> std::string Enter(Apply apply, const std::string& text) {
        platform.messages.clear();
        const float before = doc.logHeight;
        if (!apply(doc, text, platform)) {
            EXPECT_EQ(doc.logHeight, before) << text;
        }
        EXPECT_FALSE(doc.IsModified()) << text;
        return platform.messages.empty() ? "" : platform.messages.back();
    }
};

} // namespace

TEST_F(DepthScaleFixture, ScaleAndLengthWithinTheirLimits) {
    EXPECT_EQ(Enter(ApplyPlotLength, "1.5"), "Too short (<2 in)");
    EXPECT_EQ(Enter(ApplyPlotLength, "100"), "");
    EXPECT_EQ(doc.logHeight, 100.0f);
    EXPECT_EQ(Enter(ApplyPlotLength, "100.5"), "Too long (>100 in)");
    EXPECT_EQ(Enter(ApplyScale, "0.1"), "");
    EXPECT_EQ(doc.logHeight, 40000.0f);
    EXPECT_EQ(Enter(ApplyScale, "0.09"), "Too small");
    EXPECT_EQ(Enter(ApplyScale, "5000"), "");
    EXPECT_EQ(doc.logHeight, 0.8f);
    EXPECT_EQ(Enter(ApplyScale, "5001"), "Too big?");

    // "-" is what the boxes show for a value that is no number; only 64 characters
    // of a text are read.
    doc.logHeight = 9;
    const std::vector<std::string> texts = {"Other ...", "- in", "nan", "", std::string(64, ' ') + "500"};
    for (const std::string& text : texts) {
        EXPECT_EQ(Enter(ApplyScale, text), "");
        EXPECT_EQ(Enter(ApplyPlotLength, text), "");
        EXPECT_EQ(doc.logHeight, 9.0f) << text;
    }

    // What the boxes show follows the current window.
    EXPECT_EQ(ScaleText(doc), "444.4");
    EXPECT_EQ(LengthText(doc), "9.0 in");
    EXPECT_EQ(Enter(ApplyScale, "500"), "");
    EXPECT_EQ(LengthText(doc), "8.0 in");

    doc.depthUnit = kFeet;
    doc.feetAxis.min = 1000.0f;
    doc.feetAxis.max = 3000.0f;
    EXPECT_EQ(ScaleText(doc), "250.0");
    EXPECT_EQ(Enter(ApplyScale, "1000.0 ft"), "");
    EXPECT_EQ(doc.logHeight, 2.0f);

    // A close window: enough digits to read the scale.
    doc.feetAxis.max = 1000.25f;
    doc.logHeight = 9;
    EXPECT_EQ(ScaleText(doc), "0.028");

    // An empty window gives no plot length.
    doc.feetAxis.max = doc.feetAxis.min;
    EXPECT_EQ(Enter(ApplyScale, "500"), "");
    EXPECT_EQ(doc.logHeight, 9.0f);
}
