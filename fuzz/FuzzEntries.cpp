#include "FuzzEntries.h"

#include "base/TableWriter.h"
#include "doc/TarvikDoc.h"
#include "exchange/AsciiImport.h"
#include "exchange/ClipboardTable.h"
#include "exchange/LasFile.h"
#include "exchange/LasImport.h"
#include "gfx/PlatformServices.h"
#include "gfx/BmpReader.h"
#include "gfx/DrawSurface.h"
#include "tracks/DataTrack.h"
#include "view/ImageExport.h"
#include "view/LogOperations.h"
#include "view/TarvikView.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Answers every question as a user who says yes to everything would, and says
// nothing.
class CQuietPlatform : public IPlatformServices {
public:
    std::string path;
    void Message(const std::string&, MsgIcon) override {}
    bool AskOkCancel(const std::string&) override { return true; }
    std::optional<std::string> AskOpenFileName(const std::string&, const std::string&) override {
        return path;
    }
    int ChooseFromList(const std::string&, const std::string&, const std::vector<std::string>& items) override {
        return static_cast<int>(items.size()) - 1;
    }
    // The clipboard's text and the user's decimal separator.
    std::optional<std::string> clipboard;
    std::string separator = ".";
    std::optional<std::string> GetClipboardText() override { return clipboard; }
    std::string DecimalSeparator() override { return separator; }
    // Ticks every column of an ASCII file, against this depth column and unit.
    CAsciiColumns ascii;
    bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) override {
        choice = ascii;
        choice.ticked.assign(names.size(), 1);
        return true;
    }
};

// Takes every primitive and touches its points, so the sanitizers see what the
// drawing hands over, without the cost of recording it.
class CNullSurface : public CDrawSurface {
public:
    void Polyline(const CPoint* p, size_t n) override { Touch(p, n); }
    void Polygon(const CPoint* p, size_t n) override { Touch(p, n); }
    void Rectangle(int l, int t, int r, int b) override { Add({l, t}), Add({r, b}); }
    void Ellipse(int l, int t, int r, int b) override { Add({l, t}), Add({r, b}); }
    void TextOut(int x, int y, std::string_view text) override { Add({x, y}), sum += text.size(); }
    CSize GetTextExtent(std::string_view text) override {
        return {static_cast<int>(std::min<size_t>(text.size(), 1 << 20)) * 7, 12};
    }
    void SetClipRect(const CRect& r) override { clip = r; }
    void RemoveClip() override { clip = {}; }
    CRect ClipBox() const override { return clip; }

protected:
    void DrawLine(CPoint a, CPoint b) override { Add(a), Add(b); }

private:
    void Add(CPoint p) { sum += static_cast<unsigned>(p.x) + static_cast<unsigned>(p.y); }
    void Touch(const CPoint* p, size_t n) {
        for (size_t i = 0; i < n; ++i) Add(p[i]);
    }
    CRect clip;
    unsigned long long sum = 0;
};

// The bytes as a file with a path, without touching the disk.
class CMemoryFile {
public:
    CMemoryFile(const uint8_t* data, size_t size) : fd(memfd_create("fuzz", 0)) {
        for (size_t done = 0; fd >= 0 && done < size;) {
            const ssize_t n = write(fd, data + done, size - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
    }
    ~CMemoryFile() {
        if (fd >= 0) close(fd);
    }
    std::string Path(const char* extension) const {
        // The link names the file; the extension only picks the reader.
        return fd < 0 ? std::string() : "/proc/self/fd/" + std::to_string(fd) + extension;
    }

private:
    int fd;
};

void SaveAndDraw(CTarvikDoc& doc) {
    std::string text;
    {
        CTableWriter out(text);
        doc.Store(out);
    }
    CTarvikView view(doc);
    view.SetResolution(96, 96);
    view.RecalcLayout();
    view.LayoutTracks();
    CNullSurface dc;
    view.DrawPage(dc, view.PageRect());
}

// The data section read in one piece and in two halves at once (the second on
// another thread, as files of several megabytes are): both must give the same
// rows, bit for bit. Small inputs reach the split only because it is forced here.
void ReadInOneAndTwoHalves(const std::string& path) {
    CLasData pieces[2];
    bool read[2] = {};
    for (int i = 0; i < 2; ++i) {
        CQuietPlatform platform;
        CLasFile las;
        if (!las.Open(path, platform) || !las.header.dataFound || las.header.entries.empty()) return;
        las.reader.splitAbove = i == 0 ? UINT64_MAX : 0;
        const std::vector<char> keep(las.header.entries.size(), 1);
        read[i] = las.reader.ReadData(las.DataDelimiter(), keep, las.header.nullValue, pieces[i]);
    }
    const CLasData& a = pieces[0];
    const CLasData& b = pieces[1];
    bool same = read[0] == read[1] && a.rows == b.rows && a.tokens == b.tokens && a.numbers == b.numbers &&
                a.binary == b.binary && a.columns.size() == b.columns.size();
    for (size_t c = 0; same && c < a.columns.size(); ++c) {
        same = a.columns[c].size() == b.columns[c].size();
        for (size_t r = 0; same && r < a.columns[c].size(); ++r)
            same = std::bit_cast<uint32_t>(a.columns[c][r]) == std::bit_cast<uint32_t>(b.columns[c][r]);
    }
    if (!same) __builtin_trap();
}

} // namespace

int FuzzDocument(const uint8_t* data, size_t size) {
    CMemoryFile file(data, size);
    CQuietPlatform platform;
    CTarvikDoc doc(platform);
    // A path ending in ".tvk" would need a link of that name; the document reader
    // does not look at the name, so the plain descriptor path serves.
    if (doc.OnOpenDocument(file.Path(""))) SaveAndDraw(doc);
    return 0;
}

int FuzzBmp(const uint8_t* data, size_t size) {
    CBmpImage image;
    if (DecodeBmp(data, size, image)) {
        const CPatternTile tile = StretchToTile(image);
        volatile ColourRef first = tile[0];
        (void)first;
    }
    return 0;
}

int FuzzLas(const uint8_t* data, size_t size) {
    CMemoryFile file(data, size);
    CQuietPlatform platform;
    CTarvikDoc doc(platform);
    platform.path = file.Path("");
    if (ImportLas(doc, platform.path)) SaveAndDraw(doc);
    CTarvikDoc inserted(platform);
    if (InsertWellLog(inserted)) SaveAndDraw(inserted);
    ReadInOneAndTwoHalves(platform.path);
    return 0;
}

int FuzzAscii(const uint8_t* data, size_t size) {
    CMemoryFile file(data, size);
    CQuietPlatform platform;
    CTarvikDoc doc(platform);
    platform.path = file.Path("");
    if (!OnFileImportAscii(doc)) return 0;
    // Again in feet with the depth in column 2, into a document that has tracks.
    platform.ascii.unit = 1;
    platform.ascii.depthColumn = 2;
    OnFileImportAscii(doc);
    // The operations on what the file brought.
    std::vector<CDataTrack*> tracks;
    for (auto& t : doc.tracks) {
        t->selected = 1;
        if (auto* d = dynamic_cast<CDataTrack*>(t.get())) tracks.push_back(d);
    }
    SumSelected(doc);
    if (tracks.size() >= 2) {
        const int op = static_cast<int>(size % 5);
        CombineDataTracks(doc, *tracks[0], *tracks[1], op, "fuzz");
        CombineDataTracks(doc, *tracks[1], *tracks[0], op, "fuzz");
    }
    SaveAndDraw(doc);
    return 0;
}

int FuzzTablePaste(const uint8_t* data, size_t size) {
    CQuietPlatform platform;
    platform.clipboard.emplace(reinterpret_cast<const char*>(data), size);
    CTarvikDoc doc(platform);
    OnPasteTable(doc);
    // Again with a decimal comma, into a document in feet that has tracks.
    platform.separator = ",";
    doc.OnDepthFeet();
    OnPasteTable(doc);
    // Edit > Paste with a data track current: a table of two columns goes into it.
    doc.AddNewTrack(NewTrackKind::Data);
    doc.selectedTrack = doc.TrackCount() - 1;
    OnEditPaste(doc);
    SaveAndDraw(doc);
    // The pasted names are drawn into a metafile as text.
    CTarvikView view(doc);
    view.SetResolution(96, 96);
    std::string emf, error;
    MakePageMetafile(view, platform, emf, error);
    return 0;
}
