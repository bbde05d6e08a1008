// The table file: a line-oriented text format of named tables, its in-memory tree
// (pages of tables of rows) and the lookups through which the document and the
// tracks fetch their values.
#pragma once

#include <cstdint>
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

struct kRow {
    // The fields the line held, up to the table's column count when it was read;
    // the columns after them are empty. Only what the line holds is stored, so a
    // hostile column list cannot multiply the memory a file takes.
    std::vector<std::string> fields;
    int width = 0; // the table's column count when the row was read

    int FieldCount() const { return width; }
    // The field of column c, empty past the line's last field; null past the row's width.
    const std::string* Field(int c) const;
};

struct kTable {
    kTable() = default;
    kTable(const kTable&) = delete; // the lookup indexes point into the table
    kTable& operator=(const kTable&) = delete;

    std::string name;
    int columnCount = 0;
    // No writer leaves the delimiter out; a table without a delimiter line uses ';'.
    char delimiter = ';';
    std::vector<std::string> columnNames;
    std::vector<std::optional<std::string>> columnUnits;
    std::vector<kRow> rows;

    int ColumnIndex(std::string_view column) const;
    void SetColumns(std::string_view line);
    void AddRow(std::string_view text);
    // The "value" of the first row whose "name" is the key; null when there is none.
    const std::string* Value(std::string_view key) const;

private:
    // Column and name/value lookups are indexed on first use: a document's tracks
    // look up their keys thousands of times, and a column list may be very long.
    void Index() const;
    int columnsVersion = 0; // counts the column lists read
    mutable int indexedVersion = -1;
    mutable std::unordered_map<std::string_view, int> columnIndex;
    mutable int nameColumn = -1;
    mutable int valueColumn = -1;
    mutable std::unordered_map<std::string_view, const std::string*> valueIndex;
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
    // the current page. The path names the page. Returns 1.
    int Read(std::string_view text, std::string_view path);
    // Reads a file from disk. Returns 0 and sets error when it cannot be read.
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
    // Direct access for bulk readers; null when the table, column or row is missing.
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
    const std::string* ValueText(std::string_view key) const;

    std::string fileName;
    std::vector<std::unique_ptr<kPage>> pages;
    kPage* currentPage = nullptr;
    kTable* currentTable = nullptr;
};
