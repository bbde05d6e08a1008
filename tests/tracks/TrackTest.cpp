#include "base/TableWriter.h"
#include "tracks/AxisTrack.h"
#include "tracks/LithTrack.h"

#include <gtest/gtest.h>

// The table has no quoting: a ';' in a label or a description would shift the
// columns, so it is written as ',' and changed in the track itself, where it shows
// before the file is ever reopened. The depth ruler's title is cleaned alike.
TEST(Track, FreeTextIsCleanedInMemoryWhenSaved) {
    CLithTrack t;
    t.hAxis.title = "GR;API";
    t.description = "gamma;ray";
    CTrackVAxis depth;
    depth.title = "Depth;(m)";
    CAxisTrack ruler;
    ruler.depthAxis = &depth;
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "Track1");
    ruler.SaveHeader(out, "Track0");
    EXPECT_NE(text.find("label;GR,API\ndescription;gamma,ray\n"), std::string::npos) << text;
    EXPECT_NE(text.find("label;Depth,(m)\n"), std::string::npos) << text;
    EXPECT_EQ(t.Label(), "GR,API");
    EXPECT_EQ(t.description, "gamma,ray");
    EXPECT_EQ(depth.title, "Depth,(m)");
}
