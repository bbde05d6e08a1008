// Every public LAS sample through both readers: File > Import LAS file (every curve
// ticked) and Insert Track > Well Log (the last curve). Where a header's STRT and
// STOP disagree with the depth column, the rows place the samples.
#include "doc/TarvikDoc.h"
#include "exchange/LasImport.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/LogTrack.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* file;
    size_t curves; // 0: both readers refuse the file
    int rows;
    float start;       // the import's sample 0, the smallest depth
    float step;        // the import's step, always positive
    float insertStart; // the inserted curve's sample 0, the file's first row
    const char* label; // the inserted curve's name; empty: the reader refuses it
};

constexpr Expected kSamples[] = {
    {"6038187_v1.2_short.las", 9, 121, 12, 0.05f, 12, "COND (MS/M)"}, // STRT 0.05: rows from 12
    {"encodings_cp1252.las", 8, 3, 1669.75f, 0.125f, 1670, "ILD (OHMM)"},
    {"sample_2.0_tab_dlm.las", 8, 3, 1669.75f, 0.125f, 1670, "ILD (OHMM)"},
    {"sample_3.0_tab_dlm.las", 15, 3, 1669.75f, 0.125f, 1670, "NMR[5] (ms)"},
    {"sample_null.las", 8, 3, 1669.75f, 0.125f, 1670, "ILD (OHMM)"},
    {"sample_rev.las", 8, 11, 1660, 1, 1670, "ILD (OHMM)"},
    {"v1.2_sample.las", 8, 3, 1669.75f, 0.125f, 1670, "ILD (OHMM)"}, // STOP says 1660
    {"v1.2_sample_big.las", 8, 29897, 1669.875f, 0.125f, 1670, "ILD (OHMM)"},
    {"v1.2_sample_curve_api.las", 8, 3, 1669.75f, 0.125f, 1670, "SP (MV)"},
    {"v1.2_sample_minimal.las", 8, 2, 634.875f, 0.125f, 635, "SP (MV)"}, // STOP says 400
    {"v1.2_sample_wrapped.las", 36, 5, 909.5f, 0.125f, 910, "LSWB"},
    {"v2.0_sample_2.0.las", 8, 3, 1669.75f, 0.125f, 1670, "ILD (OHMM)"},
    {"v2.0_sample_2.0_based.las", 3, 6, 0, 0.3f, 0, ""}, // time, not depth: no DEPT curve
    {"v2.0_sample_2.0_minimal.las", 8, 2, 634.875f, 0.125f, 635, "SP (MV)"},
    {"v2.0_sample_2.0_wrapped.las", 36, 2, 909.875f, 0.125f, 910, "LSWB"},
    {"v3.0_sample_las3.0_standard.las", 15, 3, 1669.75f, 0.125f, 1670, "NMR[5] (ms)"},
    {"header_only.las", 0, 0, 0, 0, 0, ""},     // no data section
    {"v3.0_sample_3.0.las", 0, 0, 0, 0, 0, ""}, // cut off before its data
    {"not_a_las_file.las", 0, 0, 0, 0, 0, ""},
};

} // namespace

TEST(LasSamples, BothReadersAgreeOnEveryPublicFile) {
    for (const Expected& e : kSamples) {
        SCOPED_TRACE(e.file);
        CScriptedPlatform p;
        CTarvikDoc doc(p);
        const int imported = ImportLas(doc, SamplePath(e.file));
        if (e.curves == 0) {
            EXPECT_EQ(imported, 0);
            ASSERT_FALSE(p.messages.empty());
            // The system's text, then the file and the reason.
            EXPECT_EQ(p.messages.back().rfind("Not sure if this is a valid LAS file\n" + SamplePath(e.file) + ": ", 0),
                      0u);
            EXPECT_EQ(doc.TrackCount(), 0);
        } else {
            ASSERT_EQ(imported, 1);
            EXPECT_EQ(p.curveEntries.size(), e.curves);
            EXPECT_EQ(doc.TrackCount(), static_cast<int>(e.curves) + 2); // and two depth rulers
            const auto& log = dynamic_cast<const CLogTrack&>(*doc.tracks.back());
            EXPECT_EQ(log.count, e.rows);
            EXPECT_FLOAT_EQ(log.startdepth, e.start);
            EXPECT_FLOAT_EQ(log.depthstep, e.step);
            // The window shows the rows.
            EXPECT_LE(doc.CurrentDepthAxis().min, e.start);
            EXPECT_GE(doc.CurrentDepthAxis().max, log.SampleDepth(e.rows - 1));
        }

        CScriptedPlatform q;
        CTarvikDoc inserted(q);
        q.fileAnswers = {SamplePath(e.file)};
        q.listAnswers = {static_cast<int>(e.curves) - 1};
        const int added = InsertWellLog(inserted);
        if (*e.label == '\0') {
            EXPECT_EQ(added, 0);
            EXPECT_EQ(q.messages.size(), 1u); // it said why
            continue;
        }
        ASSERT_EQ(added, 1);
        const auto& log = dynamic_cast<const CLogTrack&>(*inserted.tracks.back());
        EXPECT_EQ(log.Label(), e.label);
        EXPECT_EQ(log.count, e.rows);
        EXPECT_FLOAT_EQ(log.startdepth, e.insertStart);
        EXPECT_FLOAT_EQ(std::fabs(log.depthstep), e.step);
    }
}
