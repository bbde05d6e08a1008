#include "base/kdManager.h"

#include "base/FileIO.h"
#include "base/TextParse.h"

#include <atomic>
#include <cstring>

namespace {

// Page ids come from one process-wide counter; the first page ever made has id 1.
std::atomic<int> g_pageCounter{0};

bool StartsWithNoCase(std::string_view line, std::string_view prefix) {
    if (line.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = line[i], b = prefix[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        if (a != b) return false;
    }
    return true;
}

bool StartsWithAny(std::string_view line, std::initializer_list<std::string_view> prefixes) {
    for (std::string_view p : prefixes)
        if (StartsWithNoCase(line, p)) return true;
    return false;
}

// Only blanks and tabs (a line of other white space is a data row).
bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::string_view AfterEquals(std::string_view line) {
    const size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view{} : line.substr(eq + 1);
}

enum class LineKind { TableStart, Ignored, Delimiter, Columns, RowKeyword, DataRow };

LineKind Classify(std::string_view line) {
    // Most lines of a big file are numeric rows; no keyword starts with these.
    if (!line.empty() && ((line[0] >= '0' && line[0] <= '9') || line[0] == '-' || line[0] == '.'))
        return LineKind::DataRow;
    if (StartsWithAny(line, {"TABLE=", "/Name="})) return LineKind::TableStart;
    if (StartsWithAny(line, {"VALUES=", "/Values="})) return LineKind::Ignored;
    if (StartsWithAny(line, {"DELIMITER=", "/Delimiter=", "/Delimeter="}))
        return LineKind::Delimiter;
    if (StartsWithAny(line, {"COLUMNS=", "/Row="})) return LineKind::Columns;
    if (StartsWithNoCase(line, "ROW=")) return LineKind::RowKeyword;
    if (StartsWithNoCase(line, "GRID=")) return LineKind::Ignored;
    if (line == "END" || line == "end" || StartsWithNoCase(line, "/END")) return LineKind::Ignored;
    if (!line.empty() && line[0] == '#') return LineKind::Ignored;
    if (IsBlank(line)) return LineKind::Ignored;
    return LineKind::DataRow;
}

std::string_view Limit(std::string_view s, size_t n) { return s.size() > n ? s.substr(0, n) : s; }

} // namespace

kPage::kPage() : id(++g_pageCounter) {}

kTable* kPage::Find(std::string_view tableName) const {
    // Tables are only ever appended: index the ones added since the last call. The
    // first table of a name wins, as a walk in file order finds it.
    for (; indexedTables < tables.size(); ++indexedTables) {
        kTable* t = tables[indexedTables].get();
        tableIndex.try_emplace(t->name, t);
    }
    const auto it = tableIndex.find(tableName);
    return it == tableIndex.end() ? nullptr : it->second;
}

const std::string* kRow::Field(int c) const {
    static const std::string kEmpty;
    if (c < 0 || c >= width) return nullptr;
    return static_cast<size_t>(c) < fields.size() ? &fields[static_cast<size_t>(c)] : &kEmpty;
}

const std::string* kTable::Value(std::string_view key) const {
    Index();
    if (nameColumn < 0 || valueColumn < 0) return nullptr;
    // Rows are only ever appended: index the ones added since the last call.
    for (; indexedRows < rows.size(); ++indexedRows) {
        const kRow& r = rows[indexedRows];
        if (const std::string* name = r.Field(nameColumn))
            valueIndex.try_emplace(*name, r.Field(valueColumn));
    }
    const auto it = valueIndex.find(key);
    return it == valueIndex.end() ? nullptr : it->second;
}

void kTable::Index() const {
    if (indexedVersion == columnsVersion) return;
    indexedVersion = columnsVersion;
    columnIndex.clear();
    for (size_t i = 0; i < columnNames.size(); ++i)
        columnIndex.try_emplace(columnNames[i], static_cast<int>(i)); // the first one wins
    const auto at = [&](std::string_view n) {
        const auto it = columnIndex.find(n);
        return it == columnIndex.end() ? -1 : it->second;
    };
    nameColumn = at("name");
    valueColumn = at("value");
    valueIndex.clear();
    indexedRows = 0;
}

int kTable::ColumnIndex(std::string_view column) const {
    Index();
    const auto it = columnIndex.find(column);
    return it == columnIndex.end() ? -1 : it->second;
}

void kTable::SetColumns(std::string_view line) {
    const size_t open = line.find('[');
    if (open == std::string_view::npos) return; // no writer emits this; ignore it
    std::string_view list = line.substr(open + 1);
    const size_t close = list.find(']');
    if (close != std::string_view::npos) list = list.substr(0, close);

    columnNames.clear();
    columnUnits.clear();
    ++columnsVersion;
    size_t start = 0;
    for (;;) {
        const size_t d = list.find(delimiter, start);
        std::string_view entry = Limit(
            list.substr(start, d == std::string_view::npos ? std::string_view::npos : d - start),
            kMaxColumnEntry);
        const size_t lp = entry.find('(');
        const size_t rp = entry.find(')');
        if (lp != std::string_view::npos && rp != std::string_view::npos && rp > lp) {
            columnNames.emplace_back(entry.substr(0, lp));
            columnUnits.emplace_back(std::string(entry.substr(lp + 1, rp - lp - 1)));
        } else {
            columnNames.emplace_back(entry);
            columnUnits.emplace_back(std::nullopt);
        }
        if (d == std::string_view::npos) break;
        start = d + 1;
    }
    columnCount = static_cast<int>(columnNames.size());
}

void kTable::AddRow(std::string_view text) {
    kRow& row = rows.emplace_back();
    row.width = columnCount;
    // Fields from the left; missing trailing fields are empty, and the text after
    // the delimiter that ends the last column is dropped.
    size_t start = 0;
    for (int c = 0; c < columnCount; ++c) {
        const size_t d = text.find(delimiter, start);
        row.fields.emplace_back(text.substr(start, d == std::string_view::npos ? d : d - start));
        if (d == std::string_view::npos) break;
        start = d + 1;
    }
}

void kdManager::Clear() {
    pages.clear();
    currentPage = nullptr;
    currentTable = nullptr;
}

int kdManager::AddPage(std::unique_ptr<kPage> page) {
    if (!page) return 0;
    pages.push_back(std::move(page));
    return 1;
}

int kdManager::AddTable(std::unique_ptr<kTable> table) {
    if (!currentPage || !table) return 0;
    currentPage->tables.push_back(std::move(table));
    return 1;
}

int kdManager::Read(std::string_view text, std::string_view path) {
    pages.push_back(std::make_unique<kPage>());
    currentPage = pages.back().get();
    currentTable = nullptr;
    kTable* filling = nullptr;

    size_t pos = 0;
    while (pos < text.size()) {
        const char* base = text.data() + pos;
        const void* nl = std::memchr(base, '\n', text.size() - pos);
        const size_t len = nl ? static_cast<size_t>(static_cast<const char*>(nl) - base)
                              : text.size() - pos;
        std::string_view line(base, len);
        pos += len + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        switch (Classify(line)) {
        case LineKind::TableStart: {
            auto table = std::make_unique<kTable>();
            for (char c : AfterEquals(line))
                if (c != '"' && table->name.size() < kMaxTableName) table->name.push_back(c);
            filling = table.get();
            currentPage->tables.push_back(std::move(table));
            break;
        }
        case LineKind::Delimiter:
            if (filling) {
                std::string_view v = AfterEquals(line);
                if (!v.empty() && v[0] == '"') v.remove_prefix(1);
                if (!v.empty()) filling->delimiter = v[0]; // else keep the one we had
            }
            break;
        case LineKind::Columns:
            if (filling) filling->SetColumns(line);
            break;
        case LineKind::RowKeyword:
            if (filling) filling->AddRow(AfterEquals(line));
            break;
        case LineKind::DataRow:
            if (filling) filling->AddRow(line);
            break;
        case LineKind::Ignored:
            break;
        }
    }
    currentPage->name.assign(Limit(path, kMaxTableName));
    fileName.assign(path);
    return 1;
}

int kdManager::ReadFile(const std::string& path, std::string* error) {
    std::string text, why;
    if (!ReadWholeFile(path, text, why)) {
        if (error) *error = why;
        return 0;
    }
    return Read(text, path);
}

int kdManager::SelectTable(std::string_view name) {
    kTable* t = currentPage ? currentPage->Find(name) : nullptr;
    if (!t) return 0;
    currentTable = t;
    return 1;
}

int kdManager::RowCount() const {
    return currentTable ? static_cast<int>(currentTable->rows.size()) : 0;
}

const std::string* kdManager::CellText(int row, std::string_view column) const {
    if (!currentTable || row < 0 || row >= RowCount()) return nullptr;
    const int c = currentTable->ColumnIndex(column);
    if (c < 0) return nullptr;
    // A row read before a second, longer column list is narrower than the table.
    return currentTable->rows[static_cast<size_t>(row)].Field(c);
}

int kdManager::GetCell(int row, std::string_view column, std::string& buffer) const {
    buffer.clear();
    const std::string* t = CellText(row, column);
    if (!t) return 0;
    buffer.assign(Limit(*t, kMaxTextValue));
    return 1;
}

int kdManager::GetCellString(int row, std::string_view column, std::string& out) const {
    const std::string* t = CellText(row, column);
    if (!t) return 0;
    out = *t;
    return 1;
}

int kdManager::GetCellInt(int row, std::string_view column, int& out) const {
    const std::string* t = CellText(row, column);
    if (!t) return 0;
    ScanInt(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetCellIntAnyBase(int row, std::string_view column, int& out) const {
    const std::string* t = CellText(row, column);
    if (!t) return 0;
    ScanIntAnyBase(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetCellFloat(int row, std::string_view column, float& out) const {
    const std::string* t = CellText(row, column);
    if (!t) return 0;
    ScanFloat(Limit(*t, kMaxNumberText), out);
    return 1;
}

const std::string* kdManager::ValueText(std::string_view key) const {
    return currentTable ? currentTable->Value(key) : nullptr;
}

int kdManager::GetValueString(std::string_view key, std::string& out) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    out = *t;
    return 1;
}

int kdManager::GetValueText(std::string_view key, std::string& buffer) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    buffer.assign(Limit(*t, kMaxTextValue));
    return 1;
}

int kdManager::GetValueFloat(std::string_view key, float& out) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    ScanFloat(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueInt(std::string_view key, int& out) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    ScanIntAnyBase(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueBits32(std::string_view key, uint32_t& out) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    ScanBits32(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueColour(std::string_view key, uint32_t& out) const {
    const std::string* t = ValueText(key);
    if (!t) return 0;
    ScanColour(Limit(*t, kMaxNumberText), out);
    return 1;
}
