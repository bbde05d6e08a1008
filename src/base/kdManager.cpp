#include "base/kdManager.h"

#include "base/FileIO.h"
#include "base/TextParse.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// The text of one read file: a copy in memory, or, for a large file, the file
// mapped read-only. Pages of a mapping that are handed back to the system come back
// from the file when they are read again, so the tree never needs the whole file
// in memory at once.
//
// A mapped file that another program truncated would end this process at the first
// read past the new end. So a file is mapped only under a read lease: while the
// lease is held, a program that opens the file for writing or truncates it waits
// (at most the system's lease-break time, 45 s by default) until the mapping is
// gone. Where no lease can be had (the file is open for writing somewhere, belongs
// to another user, or lies on a file system without leases) it is read into memory.
class kText {
public:
    explicit kText(std::string text) : owned(std::move(text)), view(owned) {}
    kText(const char* map, size_t size, int leaseFd) : mapped(map), view(map, size), lease(leaseFd) {}
    kText(const kText&) = delete;
    kText& operator=(const kText&) = delete;
    ~kText() {
        if (mapped) ::munmap(const_cast<char*>(mapped), view.size());
        if (lease >= 0) {
            ::fcntl(lease, F_SETLEASE, F_UNLCK);
            ::close(lease);
        }
    }

    // A regular file of at least minSize bytes, mapped; null when it is smaller, not
    // a regular file, cannot be leased or cannot be mapped (then it is read the
    // ordinary way).
    static std::shared_ptr<const kText> Map(const std::string& path, size_t minSize) {
        struct stat st {};
        // Looked at before it is opened: opening a pipe would wait for a writer.
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_size < static_cast<off_t>(minSize))
            return nullptr;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        // The size is taken under the lease, so it cannot change while mapped.
        void* map = MAP_FAILED;
        size_t size = 0;
        if (TakeReadLease(fd) && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_size >= static_cast<off_t>(minSize)) {
            size = static_cast<size_t>(st.st_size);
            map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        }
        if (map == MAP_FAILED) {
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
            ::close(fd);
            return nullptr;
        }
        return std::make_shared<const kText>(static_cast<const char*>(map), size, fd);
    }

    std::string_view View() const { return view; }

    // Gives back the resident pages that lie in [begin, end) of a mapping; the
    // text stays readable. Nothing happens to a copy in memory.
    void Release(const char* begin, const char* end) const {
        if (!mapped || end <= begin) return;
        static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
        const size_t from = static_cast<size_t>(begin - mapped) / page * page;
        const size_t to = static_cast<size_t>(end - mapped) / page * page;
        if (to > from) ::madvise(const_cast<char*>(mapped) + from, to - from, MADV_DONTNEED);
    }

private:
    // A writer that wants the file is announced with SIGIO, whose default action
    // would end the process; nothing here needs the signal, the writer just waits.
    static bool TakeReadLease(int fd) {
        static const bool quiet = [] {
            struct sigaction now {};
            if (::sigaction(SIGIO, nullptr, &now) == 0 && now.sa_handler == SIG_DFL)
                ::signal(SIGIO, SIG_IGN);
            return true;
        }();
        (void)quiet;
        return ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    }

    std::string owned;
    const char* mapped = nullptr;
    std::string_view view;
    int lease = -1; // the mapped file, open and leased
};

namespace {

// Files from this size on are mapped rather than read into memory.
constexpr size_t kMapAtLeast = 4u << 20;
// While a mapped file is read, the pages behind the reader are given back in steps
// of this size; a table of at least this size gives back its pages when another
// table is selected.
constexpr size_t kReleaseStep = 4u << 20;
constexpr size_t kReleaseTable = 1u << 20;

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

std::optional<kField> kRow::Field(int c) const {
    if (c < 0 || c >= width) return std::nullopt;
    // Fields from the left; a line with fewer fields leaves the columns after them empty.
    size_t start = 0;
    for (int i = 0; i < c; ++i) {
        const size_t d = text.find(delimiter, start);
        if (d == std::string_view::npos) return kField();
        start = d + 1;
    }
    const size_t d = text.find(delimiter, start);
    return kField(text.substr(start, d == std::string_view::npos ? d : d - start));
}

kRow kRows::operator[](size_t i) const {
    const Line& line = lines[i];
    const Shape* shape = &shapes.back();
    if (shapes.size() > 1)
        shape = &*(std::upper_bound(shapes.begin(), shapes.end(), i,
                                    [](size_t row, const Shape& s) { return row < s.firstRow; }) -
                   1);
    return {std::string_view(line.begin, static_cast<size_t>(line.end - line.begin)), shape->width,
            shape->delimiter};
}

void kRows::Add(std::string_view text, int width, char delimiter) {
    if (shapes.empty() || shapes.back().width != width || shapes.back().delimiter != delimiter)
        shapes.push_back({lines.size(), width, delimiter});
    lines.push_back({text.data(), text.data() + text.size()});
}

kTable::~kTable() = default;

std::optional<std::string_view> kTable::Value(std::string_view key) const {
    Index();
    if (nameColumn < 0 || valueColumn < 0) return std::nullopt;
    // Rows are only ever appended: index the ones added since the last call.
    for (; indexedRows < rows.size(); ++indexedRows) {
        const kRow r = rows[indexedRows];
        if (const std::optional<kField> name = r.Field(nameColumn)) {
            const std::optional<kField> value = r.Field(valueColumn);
            valueIndex.try_emplace(*name, value ? std::optional<std::string_view>(*value)
                                                : std::nullopt);
        }
    }
    const auto it = valueIndex.find(key);
    return it == valueIndex.end() ? std::nullopt : it->second;
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
    const std::string& copy = ownText.emplace_back(text);
    rows.Add(copy, columnCount, delimiter);
}

void kTable::AddLine(std::string_view text) {
    if (!spanBegin) spanBegin = text.data();
    spanEnd = text.data() + text.size();
    rows.Add(text, columnCount, delimiter);
}

void kTable::ReleaseText() const {
    if (source && spanBegin && static_cast<size_t>(spanEnd - spanBegin) >= kReleaseTable)
        source->Release(spanBegin, spanEnd);
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
    return ReadText(std::make_shared<const kText>(std::string(text)), path);
}

int kdManager::Read(std::string&& text, std::string_view path) {
    return ReadText(std::make_shared<const kText>(std::move(text)), path);
}

int kdManager::ReadFile(const std::string& path, std::string* error) {
    std::shared_ptr<const kText> text = kText::Map(path, kMapAtLeast);
    if (!text) {
        std::string read, why;
        if (!ReadWholeFile(path, read, why)) {
            if (error) *error = why;
            return 0;
        }
        text = std::make_shared<const kText>(std::move(read));
    }
    return ReadText(std::move(text), path);
}

int kdManager::ReadText(std::shared_ptr<const kText> source, std::string_view path) {
    pages.push_back(std::make_unique<kPage>());
    currentPage = pages.back().get();
    currentTable = nullptr;
    kTable* filling = nullptr;

    const std::string_view text = source->View();
    size_t pos = 0, released = 0;
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
            table->source = source;
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
            if (filling) filling->AddLine(AfterEquals(line));
            break;
        case LineKind::DataRow:
            if (filling) filling->AddLine(line);
            break;
        case LineKind::Ignored:
            break;
        }
        // The rows only point into the text: what lies behind need not stay in memory.
        if (pos - released >= kReleaseStep && pos <= text.size()) {
            source->Release(text.data() + released, text.data() + pos);
            released = pos;
        }
    }
    currentPage->name.assign(Limit(path, kMaxTableName));
    fileName.assign(path);
    return 1;
}

int kdManager::SelectTable(std::string_view name) {
    kTable* t = currentPage ? currentPage->Find(name) : nullptr;
    if (!t) return 0;
    // A large table is usually read once, by the track that loads it.
    if (currentTable && currentTable != t) currentTable->ReleaseText();
    currentTable = t;
    return 1;
}

int kdManager::RowCount() const {
    return currentTable ? static_cast<int>(currentTable->rows.size()) : 0;
}

std::optional<std::string_view> kdManager::CellView(int row, std::string_view column) const {
    if (!currentTable || row < 0 || row >= RowCount()) return std::nullopt;
    const int c = currentTable->ColumnIndex(column);
    if (c < 0) return std::nullopt;
    // A row read before a second, longer column list is narrower than the table.
    const std::optional<kField> field = currentTable->rows[static_cast<size_t>(row)].Field(c);
    if (!field) return std::nullopt;
    return *field;
}

const std::string* kdManager::CellText(int row, std::string_view column) const {
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return nullptr;
    cellCopy.assign(*t);
    return &cellCopy;
}

int kdManager::GetCell(int row, std::string_view column, std::string& buffer) const {
    buffer.clear();
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return 0;
    buffer.assign(Limit(*t, kMaxTextValue));
    return 1;
}

int kdManager::GetCellString(int row, std::string_view column, std::string& out) const {
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return 0;
    out.assign(*t);
    return 1;
}

int kdManager::GetCellInt(int row, std::string_view column, int& out) const {
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return 0;
    ScanInt(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetCellIntAnyBase(int row, std::string_view column, int& out) const {
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return 0;
    ScanIntAnyBase(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetCellFloat(int row, std::string_view column, float& out) const {
    const std::optional<std::string_view> t = CellView(row, column);
    if (!t) return 0;
    ScanFloat(Limit(*t, kMaxNumberText), out);
    return 1;
}

std::optional<std::string_view> kdManager::ValueText(std::string_view key) const {
    return currentTable ? currentTable->Value(key) : std::nullopt;
}

int kdManager::GetValueString(std::string_view key, std::string& out) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    out.assign(*t);
    return 1;
}

int kdManager::GetValueText(std::string_view key, std::string& buffer) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    buffer.assign(Limit(*t, kMaxTextValue));
    return 1;
}

int kdManager::GetValueFloat(std::string_view key, float& out) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    ScanFloat(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueInt(std::string_view key, int& out) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    ScanIntAnyBase(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueBits32(std::string_view key, uint32_t& out) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    ScanBits32(Limit(*t, kMaxNumberText), out);
    return 1;
}

int kdManager::GetValueColour(std::string_view key, uint32_t& out) const {
    const std::optional<std::string_view> t = ValueText(key);
    if (!t) return 0;
    ScanColour(Limit(*t, kMaxNumberText), out);
    return 1;
}
