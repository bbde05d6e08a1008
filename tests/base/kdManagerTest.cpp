#include "base/kdManager.h"

#include "base/TextParse.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {

// The fields of a row as lookups see them: one per column it was read with.
std::vector<std::string> Fields(const kRow& row) {
    std::vector<std::string> fields;
    for (int c = 0; c < row.FieldCount(); ++c) fields.push_back(*row.Field(c));
    return fields;
}

std::vector<std::string> Row(const kdManager& m, int r) {
    return Fields(m.CurrentTable()->rows[static_cast<size_t>(r)]);
}

// Every row of every table as lookups see it.
std::vector<std::vector<std::string>> AllRows(const kdManager& m) {
    std::vector<std::vector<std::string>> all;
    for (const auto& t : m.CurrentPage()->tables) {
        all.push_back({t->name});
        for (size_t r = 0; r < t->rows.size(); ++r) all.push_back(Fields(t->rows[r]));
    }
    return all;
}

} // namespace

TEST(kdManager, ClassifiesLinesByTheFirstRuleThatApplies) {
    kdManager m;
    ASSERT_EQ(m.Read(std::string_view("ROW=lost\nDELIMITER=,\nCOLUMNS=[lost]\n" // before any table: dropped
                     "table=First\n"
                     "DELIMITER=;\n"
                     "COLUMNS=[name;value]\n"
                     "a;1\r\n"
                     "End\n"
                     "#hidden;9\n"
                     "END\n"
                     "after;2\n"
                     "TABLE=\"Second\"\n"
                     "/Delimiter=\",\"\n"
                     "/Row=[x,y(m),z)(]\n"
                     "1,2,3,4\n"
                     "ROW=5,6\n"
                     "VALUES=ignored\n"
                     "GRID=ignored\n"
                     "/end of it\n"
                     "end\n"
                     "  \t \n"
                     "Table=Second\n"
                     "COLUMNS=[name;value]\n"
                     "dup;1\n"),
                     "/data/a.tvk"),
              1);

    ASSERT_EQ(m.SelectTable("First"), 1);
    ASSERT_EQ(m.RowCount(), 3);
    EXPECT_EQ(Row(m, 0), (std::vector<std::string>{"a", "1"}));    // CR is not part of the line
    EXPECT_EQ(Row(m, 1), (std::vector<std::string>{"End", ""}));   // "End" is not an end marker
    EXPECT_EQ(Row(m, 2), (std::vector<std::string>{"after", "2"})); // END does not close the table

    // The quoted name loses its quotes; the duplicate further down is never found.
    ASSERT_EQ(m.SelectTable("Second"), 1);
    const kTable& t = *m.CurrentTable();
    EXPECT_EQ(t.delimiter, ',');
    EXPECT_EQ(t.columnNames, (std::vector<std::string>{"x", "y", "z)("}));
    EXPECT_FALSE(t.columnUnits[0].has_value());
    EXPECT_EQ(t.columnUnits[1], "m");
    ASSERT_EQ(m.RowCount(), 2);
    EXPECT_EQ(Row(m, 0), (std::vector<std::string>{"1", "2", "3"})); // the 4 is dropped
    EXPECT_EQ(Row(m, 1), (std::vector<std::string>{"5", "6", ""}));

    EXPECT_EQ(m.SelectTable("second"), 0); // names are case-sensitive
    EXPECT_EQ(m.CurrentTable(), &t);          // and a failed select keeps the current table
}

// Large files are mapped, not copied: they must read exactly as the same text in
// memory, up to the last byte of the mapping, and a table whose memory was given back
// must read the same when it is selected again.
TEST(kdManager, MappedFilesReadAsTheirText) {
    std::string text = "TABLE=Big\nDELIMITER=;\nCOLUMNS=[values]\n";
    for (int r = 0; text.size() < (5u << 20); ++r)
        text += std::to_string(r) + ".2500 1.5 -0.0001 77199.8476 3 4 5 6 7 " +
                std::to_string(r % 97) + " \n";
    text += "TABLE=Crlf\r\nDELIMITER=;\r\nCOLUMNS=[name;value]\r\nk;42\r\n\r\nTABLE=Tail\nCOLUMNS=[v]\n";
    // The last field ends the file, without a line end, at the end of a page.
    const std::string last = "1.5 2.25 3.125";
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t pad = page - (text.size() + last.size() + 2) % page;
    text += "#" + std::string(pad, 'x') + "\n" + last;
    ASSERT_EQ(text.size() % page, 0u);

    CTempDir dir;
    const auto path = dir.path / "big.tvk";
    WriteFileText(path, text);
    kdManager mapped, copied;
    ASSERT_EQ(mapped.ReadFile(path.string()), 1);
    ASSERT_EQ(copied.Read(text, path.string()), 1);
    const auto rows = AllRows(copied);
    EXPECT_EQ(AllRows(mapped), rows);
    ASSERT_EQ(mapped.SelectTable("Crlf"), 1); // no CR in names, delimiters or fields
    EXPECT_EQ(Row(mapped, 0), (std::vector<std::string>{"k", "42"}));

    ASSERT_EQ(mapped.SelectTable("Tail"), 1);
    const std::optional<std::string_view> cell = mapped.CellView(0, "v");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->data() + cell->size(), mapped.CurrentTable()->rows[0].text.data() + last.size());
    float v[4] = {};
    EXPECT_EQ(ScanFloatRow(*cell, v, 4), 3u);
    EXPECT_EQ(v[2], 3.125f);

    // Big gave its memory back when Tail was selected; it still reads the same.
    ASSERT_EQ(mapped.SelectTable("Big"), 1);
    EXPECT_EQ(AllRows(mapped), rows);

    // A mapped file is held against writers, which would cut it under the mapping,
    // until the reader lets go; where the file system grants no lease it was read
    // into memory instead, and the rows above came from there.
    EXPECT_EQ(WritableAtOnce(path), !GrantsLeases(dir.path));
    mapped.Clear();
    EXPECT_TRUE(WritableAtOnce(path));
}

// Rows of samples are converted faster than by the library, but to the same floats:
// halfway cases between two floats and every odd form included.
TEST(kdManager, SampledRowsReadAsTheLibraryReadsThem) {
    // The conversion the log track has always made of a row.
    const auto reference = [](std::string_view cell, float* out, size_t most) {
        const char* p = cell.data();
        const char* end = p + cell.size();
        size_t n = 0;
        while (n < most) {
            while (p < end && *p == ' ') ++p;
            float v;
            const auto r = std::from_chars(p, end, v);
            const char* next = r.ptr;
            if (r.ec != std::errc() || (r.ptr != end && *r.ptr != ' ')) {
                next = std::find(p, end, ' ');
                if (!ScanFloat(std::string_view(p, static_cast<size_t>(next - p)), v)) break;
            }
            out[n++] = v;
            p = next;
        }
        return n;
    };
    std::mt19937_64 rng(3);
    const char* odd[] = {"1e5", "1.5e", "inf", "-nan", "-", ".", "1.", ".5", "0x1p3", "12abc", "\t7",
                         "+3", "1.2.3", "16777217", "16777217.000000001", "99999999999999999999.5",
                         "1e-50", "3.4028236e38", "0.0000000000000000000001", "-0.0000"};
    char buf[64];
    for (int i = 0; i < 200000; ++i) {
        std::string row;
        for (int t = static_cast<int>(rng() % 12); t > 0; --t) {
            row.append(rng() % 8 == 0 ? rng() % 3 : 1, ' ');
            const uint32_t bits = 0x20000000u + static_cast<uint32_t>(rng() % 0x3c000000u);
            const float f = std::bit_cast<float>(bits);
            const double halfway = (f + static_cast<double>(std::nextafter(f, 1e30f))) / 2;
            switch (rng() % 4) {
            case 0: std::snprintf(buf, sizeof buf, "%.4f", (static_cast<int>(rng() % 4000000) - 1000000) / 1e4); break;
            case 1: std::snprintf(buf, sizeof buf, "%.17g", halfway); break;
            case 2: std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(f)); break;
            default: std::snprintf(buf, sizeof buf, "%s", odd[rng() % std::size(odd)]);
            }
            row += buf;
        }
        const std::vector<char> own(row.begin(), row.end()); // nothing readable past its end
        const std::string_view cell(own.data(), own.size());
        float a[10] = {}, b[10] = {};
        const size_t most = rng() % 11;
        ASSERT_EQ(ScanFloatRow(cell, a, most), reference(cell, b, most)) << row;
        ASSERT_EQ(std::memcmp(a, b, sizeof a), 0) << row;
    }
}
