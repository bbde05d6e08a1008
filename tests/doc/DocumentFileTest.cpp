#include "base/TableWriter.h"
#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

std::string Stored(CTarvikDoc& doc) {
    std::string text;
    CTableWriter out(text);
    doc.Store(out);
    return text;
}

void LoadText(CTarvikDoc& doc, const std::string& text) {
    doc.reader.Clear();
    doc.reader.Read(text, "memory.tvk");
    doc.Load(doc.reader);
}

struct DocumentFile : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
};

} // namespace

// The demo well pins the format of rulers, logs, strat and lithology columns and
// markers (CommandLine below); here, every value it leaves at its default.
TEST_F(DocumentFile, RoundTripOfEveryKindIsByteForByte) {
    doc.depthUnit = kFeet;
    doc.logHeight = 14.25f;
    doc.headerHeight = 0.75f;
    doc.drawHeader = 1;
    doc.fitPage = 1;
    doc.pageOrientation = 1;
    doc.confirmInput = 1;
    doc.inputMethod = 1;
    doc.feetAxis.reverse = 1;
    doc.EnsureDepthAxisTrack(kMeters);
    doc.EnsureDepthAxisTrack(kFeet);
    doc.AddNewTrack(NewTrackKind::Data)->KB = -3.5f;
    doc.AddNewTrack(NewTrackKind::Lith)->description = "core; plug";
    auto log = std::make_unique<CLogTrack>();
    log->depthunit = kFeet;
    log->overlay = 1;
    log->hAxis.Init(kAxisLogH, 0.2f, 2000, 1, "RDEP");
    log->hAxis.majorColour = 0x123456;
    doc.tracks.push_back(std::move(log));

    const std::string first = Stored(doc);
    CTarvikDoc copy(platform);
    LoadText(copy, first);
    EXPECT_EQ(Stored(copy), first);

    // Every value written was read back; what the text cannot show is the binding.
    ASSERT_EQ(copy.TrackCount(), 5);
    EXPECT_EQ(copy.tracks[0]->depthAxis, &copy.feetAxis);
    EXPECT_EQ(copy.tracks[1]->depthAxis, &copy.meterAxis);
    EXPECT_EQ(copy.tracks[4]->depthAxis, &copy.feetAxis); // bound by its own unit
    EXPECT_EQ(static_cast<CLithTrack&>(*copy.tracks[3]).library, &copy.lithLibrary);
    EXPECT_EQ(copy.tracks[3]->description, "core, plug");
}

TEST_F(DocumentFile, LoadingSkipsWhatItCannotMakeAndKeepsDefaults) {
    LoadText(doc, "TABLE=DocOptions\nCOLUMNS=[name;value]\nlogHeight;12\nwellName;A;B\n"
                  "TABLE=Tracks\nCOLUMNS=[name;type]\n"
                  "Track0;3\nTrack1;5\nTrack2;abc\nTrack3;11\nTrack4\n"
                  "TABLE=Track1\nCOLUMNS=[name;value]\ndepthunit;1\nlabel;GR\n"
                  "TABLE=Markers\nCOLUMNS=[id;top;bottom]\n0;10;20\n1;x\n");
    EXPECT_FLOAT_EQ(doc.logHeight, 12);
    EXPECT_EQ(doc.wellName, "A");
    ASSERT_EQ(doc.TrackCount(), 2); // types 3 and "abc" are skipped; Track4 has no type
    EXPECT_EQ(doc.tracks[0]->Label(), "GR");
    EXPECT_EQ(doc.tracks[0]->depthAxis, &doc.feetAxis);
    EXPECT_EQ(doc.tracks[1]->type, kTrackData);
    EXPECT_EQ(doc.tracks[1]->Label(), "Axis Label"); // header table missing
    ASSERT_EQ(doc.markers.size(), 2u);
    EXPECT_EQ(doc.markers[0].colour, 0x3232C8u); // no colour column: the default
    EXPECT_FLOAT_EQ(doc.markers[1].top, 0);
    EXPECT_EQ(doc.reader.PageCount(), 0); // the reader holds nothing between loads

    // Free text that would break the file is made safe on the way out.
    doc.wellName = "A;B\nC";
    doc.markers.clear();
    const std::string text = Stored(doc);
    EXPECT_EQ(text.find("Markers"), std::string::npos); // no markers: no table
    LoadText(doc, text);
    EXPECT_EQ(doc.wellName, "A,B C");
}

TEST_F(DocumentFile, SavedAtomicallyAndOpenedOnlyWhenItIsADocument) {
    CTempDir dir;
    doc.wellName = "disk";
    doc.EnsureDepthAxisTrack(kMeters);
    const fs::path file = dir.path / "well.tvk";
    auto files = [&] { return std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()); };
    ASSERT_TRUE(doc.OnSaveDocument(file.string()));
    EXPECT_EQ(ReadFileText(file), Stored(doc));
    EXPECT_EQ(files(), 1); // no temporary left

    CTarvikDoc opened(platform);
    opened.SetModifiedFlag();
    ASSERT_TRUE(opened.OnOpenDocument(file.string()));
    EXPECT_EQ(opened.wellName, "disk");
    EXPECT_FALSE(opened.IsModified());
    // Missing files and files that are not documents leave the document alone.
    EXPECT_FALSE(opened.OnOpenDocument((dir.path / "none.tvk").string()));
    WriteFileText(dir.path / "photo.tvk", std::string("\x89PNG\r\n\x1a\n\0\0garbage", 17));
    EXPECT_FALSE(opened.OnOpenDocument((dir.path / "photo.tvk").string()));
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_NE(platform.messages[1].find("not a Tarvik document"), std::string::npos);
    EXPECT_EQ(opened.TrackCount(), 1);

    // A disk that fills up (the file size limit makes the write fail part way) keeps
    // the old file, the document's name and its modified flag, and says why.
    fs::remove(dir.path / "photo.tvk");
    CTarvikDoc big(platform);
    for (int i = 0; i < 200; ++i) big.AddNewTrack(NewTrackKind::Data);
    big.SetModifiedFlag();
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = big.OnSaveDocument(file.string());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileText(file), Stored(doc));
    EXPECT_EQ(files(), 1);
    EXPECT_TRUE(big.IsModified());
    EXPECT_EQ(big.PathName(), "");
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_NE(platform.messages[2].find("large"), std::string::npos); // "File too large"
}

// A large document is mapped while it loads and let go of once it is loaded: another
// program may write the file at once, and the document reads as it was saved.
TEST_F(DocumentFile, ALargeDocumentIsLetGoOnceLoaded) {
    CTempDir dir;
    doc.EnsureDepthAxisTrack(kMeters);
    auto log = std::make_unique<CLogTrack>();
    log->depthstep = 0.1524f;
    for (int i = 0; i < 600000; ++i) log->values.push_back(static_cast<float>(i % 1000) * 0.37f);
    log->count = static_cast<int>(log->values.size());
    doc.tracks.push_back(std::move(log));
    const fs::path file = dir.path / "big.tvk";
    ASSERT_TRUE(doc.OnSaveDocument(file.string()));
    ASSERT_GE(fs::file_size(file), 4u << 20); // large enough to be mapped

    CTarvikDoc opened(platform);
    ASSERT_TRUE(opened.OnOpenDocument(file.string()));
    EXPECT_TRUE(WritableAtOnce(file));
    EXPECT_EQ(Stored(opened), Stored(doc));
}

TEST(CommandLine, SaveAsHelpAndVersion) {
    CTempDir dir;
    std::string err;
    const fs::path out = dir.path / "out.tvk";
    const std::string demo = std::string(TARVIK_SOURCE_DIR) + "/data/demo.tvk";
    ASSERT_EQ(RunTarvik(TARVIK_BINARY, "--save-as " + out.string() + " " + demo, err), 0) << err;
    EXPECT_EQ(err, "");
    // The demo is stored as the program writes it: its options, rulers, logs and markers.
    EXPECT_EQ(ReadFileText(out), ReadFileText(demo));

    // Failures say so in one line that names the file (and for LAS, why), exit 1.
    EXPECT_NE(RunTarvik(TARVIK_BINARY, "--save-as " + out.string() + " " + (dir.path / "missing.tvk").string(), err), 0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("missing.tvk"), std::string::npos);
    const std::string cut = SamplePath("v3.0_sample_3.0.las");
    EXPECT_EQ(RunTarvik(TARVIK_BINARY, "--save-as " + out.string() + " " + cut, err), 1);
    EXPECT_EQ(err, "tarvik: Not sure if this is a valid LAS file: " + cut + ": it has no data section (~A)\n");

    // --help and --version answer on standard output; a wrong option gets the usage on
    // standard error, exit 2.
    const fs::path said = dir.path / "stdout";
    EXPECT_EQ(RunTarvik(TARVIK_BINARY, "--help > " + said.string(), err), 0);
    EXPECT_EQ(ReadFileText(said).rfind("usage: tarvik", 0), 0u);
    EXPECT_EQ(RunTarvik(TARVIK_BINARY, "--version > " + said.string(), err), 0);
    EXPECT_EQ(ReadFileText(said), "Tarvik 3.7\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(RunTarvik(TARVIK_BINARY, "--bogus > " + said.string(), err), 2);
    EXPECT_EQ(ReadFileText(said), "");
    EXPECT_EQ(err.rfind("usage: tarvik", 0), 0u);
}
