// Emits tables by the rules every writer of the table file follows: "TABLE=",
// "DELIMITER=;", "COLUMNS=[...]", ';'-joined rows, "END" and a blank line, single
// line feeds. Output goes to a string, or through a buffer to an open file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

class CTableWriter {
public:
    explicit CTableWriter(std::string& target) : text(&target) {}
    explicit CTableWriter(std::FILE* target) : file(target) { buffer.reserve(kFlushAt + 4096); }
    CTableWriter(const CTableWriter&) = delete;
    CTableWriter& operator=(const CTableWriter&) = delete;
    ~CTableWriter() { Flush(); }

    // "TABLE=name", "DELIMITER=;".
    void BeginTable(std::string_view name);
    // "COLUMNS=[a;b;...]".
    void Columns(std::initializer_list<std::string_view> names);
    // A name/value settings table: BeginTable and "COLUMNS=[name;value]".
    void BeginSettings(std::string_view name);
    // "END" and a blank line.
    void EndTable() { Raw("END\n\n"); }

    // Rows of a name/value table: the key, ';' and the value.
    void Text(std::string_view key, std::string_view value);
    void G(std::string_view key, double value);   // "%g"
    void F(std::string_view key, double value);   // "%f"
    void I(std::string_view key, long long value);  // "%i"
    void U(std::string_view key, unsigned long long value); // "%u"

    // Raw output for data rows; the caller supplies the line feeds.
    void Raw(std::string_view s) { Out().append(s); MaybeFlush(); }
    // Direct access to the output for bulk formatting; call Done() afterwards.
    std::string& Out() { return file ? buffer : *text; }
    void Done() { MaybeFlush(); }

    // Writes what is buffered to the file; false once any write failed.
    bool Flush();
    bool Failed() const { return failed; }
    const std::string& Error() const { return error; }

private:
    static constexpr size_t kFlushAt = 1 << 20;
    void MaybeFlush() {
        if (file && buffer.size() >= kFlushAt) Flush();
    }
    void Key(std::string_view key) {
        Out().append(key);
        Out().push_back(';');
    }

    std::string* text = nullptr;
    std::FILE* file = nullptr;
    std::string buffer;
    bool failed = false;
    std::string error;
};
