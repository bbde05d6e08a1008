#include "base/TableWriter.h"
#include "base/kdManager.h"
#include "support/ScriptedPlatform.h"
#include "tracks/AxisTrack.h"
#include "tracks/DataTrack.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

#include <gtest/gtest.h>

TEST(Track, CommonKeysAreWrittenInOrderAndCleanTheLabelInMemory) {
    CLithTrack t; // a kind with no keys of its own
    t.hAxis.title = "GR;API";
    t.description = "gamma;ray";
    std::string text;
    CTableWriter out(text); // a string is written at once, not on closing
    t.SaveHeader(out, "Track1");
    EXPECT_EQ(text, "TABLE=Track1\nDELIMITER=;\nCOLUMNS=[name;value]\n"
                    "depthunit;0\nKB;0\nwidth;0.500000\ntype;8\nlabel;GR,API\n"
                    "description;gamma,ray\nmax;1\nmin;0\nmajorunit;0.2\nminorunit;0.05\n"
                    "reverse;0\naxistype;0\nmajorgrids;0\nminorgrids;0\n"
                    "glcmajor;14474460\nglcminor;16770790\nglwmajor;0\nglwminor;0\n"
                    "glsmajor;0\nglsminor;0\nEND\n\n");
    EXPECT_EQ(t.Label(), "GR,API"); // before the file is ever reopened
}

TEST(Track, LoadingKeepsWhatTheFileLeavesOut) {
    kdManager in;
    in.Read(std::string_view("TABLE=Track0\nDELIMITER=;\nCOLUMNS=[name;value]\n"
            "depthunit;1\nKB;12.5\nlabel;RHOB\nmax;3\nmin;2\nglcmajor;ff\nglcminor;0x10\n"
            "axistype;2\n"),
            "t");
    CDataTrack d;
    d.width = 2.25f;
    ASSERT_EQ(d.LoadHeader(in, "Track0"), 1);
    EXPECT_EQ(d.type, kTrackData); // no "type" key: the constructor's stands
    EXPECT_FLOAT_EQ(d.KB, 12.5f);
    EXPECT_FLOAT_EQ(d.width, 2.25f); // keys the file leaves out keep their values
    EXPECT_EQ(d.hAxis.majorColour, 0xFFu);
    EXPECT_EQ(d.hAxis.minorColour, 0x10u);
    EXPECT_EQ(d.hAxis.axisType, kAxisLogH);

    CLogTrack missing;
    EXPECT_EQ(missing.LoadHeader(in, "Track9"), 0);
    EXPECT_EQ(missing.Label(), "Axis Label");
}

TEST(AxisTrack, HeaderHoldsTheBoundDepthAxis) {
    CTrackVAxis depth;
    depth.Init(kAxisLinearV, 1000, 1500, 100, "Depth;(m)");
    depth.majorGrids = 1;
    depth.reverse = 1;
    CAxisTrack t;
    t.depthAxis = &depth;
    std::string text; // its exact form is in the document file's test
    CTableWriter out(text);
    t.SaveHeader(out, "Track0");
    t.SaveData(out, "TrackData0");
    EXPECT_EQ(depth.title, "Depth,(m)");

    // Loading restores the axis; a missing key leaves it as it was.
    kdManager in;
    in.Read(text + "TABLE=Short\nCOLUMNS=[name;value]\nmin;7\n", "t");
    CTrackVAxis restored;
    restored.axisType = kAxisLogV;
    CAxisTrack u;
    u.depthAxis = &restored;
    ASSERT_EQ(u.LoadHeader(in, "Track0"), 1);
    EXPECT_FLOAT_EQ(restored.max, 1500);
    EXPECT_EQ(restored.axisType, kAxisLinearV);
    ASSERT_EQ(u.LoadHeader(in, "Short"), 1);
    EXPECT_FLOAT_EQ(restored.min, 7);
    EXPECT_EQ(restored.axisType, kAxisLinearV); // left as it was
}
