#include "base/kdManager.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The fields of a row as lookups see them: one per column it was read with.
std::vector<std::string> Row(const kdManager& m, int r) {
    const kRow& row = m.CurrentTable()->rows[static_cast<size_t>(r)];
    std::vector<std::string> fields;
    for (int c = 0; c < row.FieldCount(); ++c) fields.push_back(*row.Field(c));
    return fields;
}

} // namespace

TEST(kdManager, ClassifiesLinesByTheFirstRuleThatApplies) {
    kdManager m;
    ASSERT_EQ(m.Read("table=First\n"
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
                     "dup;1\n",
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
    EXPECT_FALSE(t.columnUnits[2].has_value());
    ASSERT_EQ(m.RowCount(), 2);
    EXPECT_EQ(Row(m, 0), (std::vector<std::string>{"1", "2", "3"})); // the 4 is dropped
    EXPECT_EQ(Row(m, 1), (std::vector<std::string>{"5", "6", ""}));

    ASSERT_EQ(m.CurrentPage()->tables.size(), 3u);
    EXPECT_EQ(m.CurrentPage()->tables[2]->rows.size(), 1u);
    EXPECT_EQ(m.SelectTable("second"), 0); // names are case-sensitive
}

TEST(kdManager, ColumnListsAndRowsAtTheEdges) {
    kdManager m;
    m.Read("ROW=lost\nDELIMITER=,\nCOLUMNS=[lost]\n" // before any table: dropped
           "TABLE=NoColumns\nrow without columns\n"
           "TABLE=Empty\nCOLUMNS=[]\nonly\n"
           "TABLE=Grow\nCOLUMNS=[a]\n1;2\nCOLUMNS=[a;b;c]\n3;4\n"
           "TABLE=Open\nCOLUMNS=[p;q\nx;y\n"
           "TABLE=NoBracket\nCOLUMNS=p;q\nr;s\n"
           "TABLE=Blanks\nCOLUMNS=[ name ;value]\n k ;v\n",
           "t");
    ASSERT_EQ(m.SelectTable("NoColumns"), 1);
    ASSERT_EQ(m.RowCount(), 1);
    EXPECT_TRUE(Row(m, 0).empty());
    EXPECT_EQ(m.CurrentTable()->delimiter, ';'); // a table without a delimiter line

    ASSERT_EQ(m.SelectTable("Empty"), 1);
    std::string s;
    EXPECT_EQ(m.GetCellString(0, "", s), 1); // one column with an empty name
    EXPECT_EQ(s, "only");

    ASSERT_EQ(m.SelectTable("Grow"), 1);
    EXPECT_EQ(Row(m, 0).size(), 1u); // rows keep the field count they were read with
    EXPECT_EQ(Row(m, 1), (std::vector<std::string>{"3", "4", ""}));
    s = "x";
    EXPECT_EQ(m.GetCellString(0, "b", s), 0);
    EXPECT_EQ(s, "x");

    ASSERT_EQ(m.SelectTable("Open"), 1);
    EXPECT_EQ(m.CurrentTable()->columnNames, (std::vector<std::string>{"p", "q"}));
    ASSERT_EQ(m.SelectTable("NoBracket"), 1);
    EXPECT_EQ(m.CurrentTable()->columnCount, 0);

    ASSERT_EQ(m.SelectTable("Blanks"), 1);
    EXPECT_EQ(m.CurrentTable()->columnNames[0], " name "); // never trimmed
    EXPECT_EQ(m.GetValueString("k", s), 0);
}

// A found key is a success even when nothing converts: the value is then left alone.
TEST(kdManager, LookupsConvertLikeTheCConversions) {
    kdManager m;
    m.Read("TABLE=T\nDELIMITER=;\nCOLUMNS=[name;value]\n"
           "n;12abc\nletters;abc\nkey;first\nkey;second\noct;010\nhex;0x1f\nf;2.5e1z\n"
           "bare;ff8800\nc0x;0x10\ncmix;12ab\nnodelim\n",
           "t");
    ASSERT_EQ(m.SelectTable("T"), 1);
    const auto Int = [&m](const char* key) {
        int i = 42;
        return m.GetValueInt(key, i) ? i : -1;
    };
    const auto Colour = [&m](const char* key) {
        uint32_t c = 0;
        EXPECT_EQ(m.GetValueColour(key, c), 1) << key;
        return c;
    };
    EXPECT_EQ(Int("n"), 12);
    EXPECT_EQ(Int("letters"), 42);
    EXPECT_EQ(Int("N"), -1);
    EXPECT_EQ(Int("hex"), 31);
    EXPECT_EQ(Colour("bare"), 0xFF8800u);
    EXPECT_EQ(Colour("c0x"), 16u);
    EXPECT_EQ(Colour("cmix"), 12u);

    std::string s;
    EXPECT_EQ(m.GetValueString("key", s), 1);
    EXPECT_EQ(s, "first");
    EXPECT_EQ(m.GetValueString("nodelim", s), 1);
    EXPECT_EQ(s, "");
    float f = 0;
    EXPECT_EQ(m.GetValueFloat("f", f), 1);
    EXPECT_FLOAT_EQ(f, 25.0f);

    // Cell lookups: the "%d" form ignores base prefixes, the "%i" form does not.
    int i = 0;
    EXPECT_EQ(m.GetCellInt(4, "value", i), 1);
    EXPECT_EQ(i, 10);
    EXPECT_EQ(m.GetCellIntAnyBase(4, "value", i), 1);
    EXPECT_EQ(i, 8);
    s = "stale";
    EXPECT_EQ(m.GetCellString(-1, "value", s), 0);
    EXPECT_EQ(s, "stale");
    EXPECT_EQ(m.GetCell(99, "value", s), 0);
    EXPECT_EQ(s, ""); // the buffer form empties its buffer first
}

TEST(kdManager, NothingSelectedMeansNothingFound) {
    kdManager m;
    EXPECT_EQ(m.SelectTable("T"), 0);
    int i = 3;
    EXPECT_EQ(m.GetValueInt("x", i), 0);
    EXPECT_EQ(m.AddTable(std::make_unique<kTable>()), 0);
    m.Read("", "empty");
    EXPECT_EQ(m.AddTable(std::make_unique<kTable>()), 1);

    // A failed select keeps the current table.
    m.Read("TABLE=A\nCOLUMNS=[name;value]\nk;1\n", "a");
    ASSERT_EQ(m.SelectTable("A"), 1);
    EXPECT_EQ(m.SelectTable("B"), 0);
    EXPECT_EQ(m.GetValueInt("k", i), 1);
    EXPECT_EQ(i, 1);
}

TEST(kdManager, PagesCountAndTakeThePath) {
    kdManager m;
    m.Read("TABLE=A\n", "/x/first.tvk");
    const int first = m.CurrentPage()->id;
    m.Read("TABLE=B\n", "/x/second.tvk");
    EXPECT_EQ(m.CurrentPage()->id, first + 1);
    EXPECT_EQ(m.PageCount(), 2);
    EXPECT_EQ(m.FileName(), "/x/second.tvk");
    EXPECT_EQ(m.SelectTable("A"), 0); // lookups work on the file read last
    EXPECT_EQ(m.SelectTable("B"), 1);
    m.Clear();
    EXPECT_EQ(m.CurrentTable(), nullptr);
    kPage later;
    EXPECT_GT(later.id, first + 1);
}

TEST(kdManager, LongLinesNulsAndGarbageAreSafe) {
    const std::string longName(1000, 'N');
    const std::string longValue(100000, 'v');
    std::string text = "TABLE=" + longName + "\nTABLE=T\nCOLUMNS=[name;value;" +
                       std::string(400, 'c') + "]\n" + "long;" + longValue + "\n" +
                       "padded;" + std::string(300, ' ') + "5\n" + "nul;7";
    text.push_back('\0');
    text += "8\n";
    kdManager m;
    m.Read(text, std::string(600, 'p'));
    EXPECT_EQ(m.CurrentPage()->tables[0]->name.size(), kMaxTableName);
    EXPECT_EQ(m.CurrentPage()->name.size(), kMaxTableName);
    ASSERT_EQ(m.SelectTable("T"), 1);
    EXPECT_EQ(m.CurrentTable()->columnNames[2].size(), kMaxColumnEntry);

    std::string s;
    EXPECT_EQ(m.GetValueText("long", s), 1);
    EXPECT_EQ(s.size(), kMaxTextValue);
    EXPECT_EQ(m.GetValueString("long", s), 1);
    EXPECT_EQ(s.size(), longValue.size());
    int i = -1;
    EXPECT_EQ(m.GetValueInt("padded", i), 1); // the number lies past what is parsed
    EXPECT_EQ(i, -1);
    EXPECT_EQ(m.GetValueInt("nul", i), 1);
    EXPECT_EQ(i, 7);

    std::mt19937 rng(7);
    std::string garbage(1 << 18, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    kdManager g;
    EXPECT_EQ(g.Read("TABLE=G\n" + garbage, "g"), 1);
    EXPECT_EQ(g.SelectTable("G"), 1);
}

TEST(kdManager, ReadFileReportsWhatCannotBeRead) {
    kdManager m;
    std::string why;
    EXPECT_EQ(m.ReadFile("/nonexistent/file.tvk", &why), 0);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(m.ReadFile("/tmp", &why), 0); // a folder
    EXPECT_EQ(m.PageCount(), 0);
}
