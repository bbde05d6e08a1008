// The table file: a line-oriented text format of named tables, its in-memory tree
// (pages of tables of rows) and the lookups through which the document and the
// tracks fetch their values.
//
// The text of a file is kept whole, once (a large file is mapped rather than
// copied), and the rows are views of its lines: a field is cut from its line only
// when it is asked for, so reading costs a few bytes per line, not a string per cell.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Limits of the format (they match the fixed buffers older readers used).
inline constexpr size_t kMaxTableName = 255;   // table and page names
inline constexpr size_t kMaxTextValue = 4095;  // GetCell / GetValueText
inline constexpr size_t kMaxNumberText = 255;  // text parsed as a number
inline constexpr size_t kMaxColumnEntry = 259; // one entry of a column list

// One field of a row: a view of the text its table was read from, which converts to
// a std::string where a caller keeps a copy.
struct kField : std::string_view {
    constexpr kField() = default;
    constexpr kField(std::string_view s) : std::string_view(s) {}
    operator std::string() const { return std::string(data(), size()); }
};

// The text of one read file (defined in kdManager.cpp); the tables read from it
// share it.
class kText;

struct kRow {
    // The line, without its line end, a CR before it or a "ROW=" keyword.
    std::string_view text;
    int width = 0;         // the table's column count when the row was read
    char delimiter = ';';  // the table's delimiter when the row was read

    int FieldCount() const { return width; }
    // The field of column c, empty past the line's last field; none past the row's
    // width. The text after the delimiter that ends the last column is not a field.
    std::optional<kField> Field(int c) const;
};

// A table's rows: where each line lies, and the column count and delimiter they
// were read with (which change only where a table has a second column or delimiter
// line). rows[i] gives the row by value.
class kRows {
public:
    size_t size() const { return lines.size(); }
    bool empty() const { return lines.empty(); }
    kRow operator[](size_t i) const;

private:
    friend struct kTable;
    struct Line {
        const char* begin;
        const char* end;
    };
    struct Shape {
        size_t firstRow;
        int width;
        char delimiter;
    };
    void Add(std::string_view text, int width, char delimiter);

    std::vector<Line> lines;
    std::vector<Shape> shapes;
};

struct kTable {
    kTable() = default;
    kTable(const kTable&) = delete; // the lookup indexes point into the table
    kTable& operator=(const kTable&) = delete;
    ~kTable();

    std::string name;
    int columnCount = 0;
    // No writer leaves the delimiter out; a table without a delimiter line uses ';'.
    char delimiter = ';';
    std::vector<std::string> columnNames;
    std::vector<std::optional<std::string>> columnUnits;
    kRows rows;

    int ColumnIndex(std::string_view column) const;
    void SetColumns(std::string_view line);
    // Adds a row of the given text, which the table copies.
    void AddRow(std::string_view text);
    // The "value" of the first row whose "name" is the key; none when there is none.
    std::optional<std::string_view> Value(std::string_view key) const;

private:
    friend class kdManager;
    // A row that is a line of the table's source text: nothing is copied.
    void AddLine(std::string_view text);
    // Hands the memory that holds the rows' text back to the system where that
    // costs nothing: a mapped file's pages come back from the file when next read.
    void ReleaseText() const;

    std::shared_ptr<const kText> source; // the text the rows view
    std::deque<std::string> ownText;      // the text of rows added by AddRow
    const char* spanBegin = nullptr;      // the source text the rows lie in
    const char* spanEnd = nullptr;

    // Column and name/value lookups are indexed on first use: a document's tracks
    // look up their keys thousands of times, and a column list may be very long.
    void Index() const;
    int columnsVersion = 0; // counts the column lists read
    mutable int indexedVersion = -1;
    mutable std::unordered_map<std::string_view, int> columnIndex;
    mutable int nameColumn = -1;
    mutable int valueColumn = -1;
    mutable std::unordered_map<std::string_view, std::optional<std::string_view>> valueIndex;
    mutable size_t indexedRows = 0;
};

struct kPage {
    std::string name;
    int id = 0;
    std::vector<std::unique_ptr<kTable>> tables; // file order

    kPage();
    kPage(const kPage&) = delete;
    kPage& operator=(const kPage&) = delete;
    // The first table of the name, or null.
    kTable* Find(std::string_view tableName) const;

private:
    mutable std::unordered_map<std::string_view, kTable*> tableIndex;
    mutable size_t indexedTables = 0;
};

class kdManager {
public:
    // Destroys all pages.
    void Clear();

    // Reads the text (the whole content of a file) into one new page, which becomes
    // the current page; the page keeps a copy of the text. The path names the page.
    // Returns 1.
    int Read(std::string_view text, std::string_view path);
    // The same, the page taking the text over instead of copying it.
    int Read(std::string&& text, std::string_view path);
    // Reads a file from disk; a large one is mapped, not copied. Returns 0 and sets
    // error when it cannot be read.
    int ReadFile(const std::string& path, std::string* error = nullptr);

    int AddPage(std::unique_ptr<kPage> page);
    int AddTable(std::unique_ptr<kTable> table);

    int SelectTable(std::string_view name);
    int RowCount() const;

    // Cell lookups on the current table by row index and column name.
    int GetCell(int row, std::string_view column, std::string& buffer) const; // cut to 4095
    int GetCellString(int row, std::string_view column, std::string& out) const;
    int GetCellInt(int row, std::string_view column, int& out) const;
    int GetCellIntAnyBase(int row, std::string_view column, int& out) const;
    int GetCellFloat(int row, std::string_view column, float& out) const;
    // The text of a cell; none when the table, column or row is missing.
    std::optional<std::string_view> CellView(int row, std::string_view column) const;
    // The same as a string for older callers: a copy that the next call replaces.
    const std::string* CellText(int row, std::string_view column) const;

    // Name/value lookups on the current table: the first row whose "name" is the key.
    int GetValueString(std::string_view key, std::string& out) const;
    int GetValueText(std::string_view key, std::string& buffer) const; // cut to 4095
    int GetValueFloat(std::string_view key, float& out) const;
    int GetValueInt(std::string_view key, int& out) const;
    int GetValueColour(std::string_view key, uint32_t& out) const;
    int GetValueBits32(std::string_view key, uint32_t& out) const; // "%i" modulo 2^32

    const std::string& FileName() const { return fileName; }
    int PageCount() const { return static_cast<int>(pages.size()); }
    const kPage* CurrentPage() const { return currentPage; }
    const kTable* CurrentTable() const { return currentTable; }

private:
    int ReadText(std::shared_ptr<const kText> text, std::string_view path);
    std::optional<std::string_view> ValueText(std::string_view key) const;

    std::string fileName;
    std::vector<std::unique_ptr<kPage>> pages;
    kPage* currentPage = nullptr;
    kTable* currentTable = nullptr;
    mutable std::string cellCopy; // what CellText gives
};
