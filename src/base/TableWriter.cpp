#include "base/TableWriter.h"

#include "base/TextParse.h"

#include <cerrno>
#include <cstring>

void CTableWriter::BeginTable(std::string_view name) {
    std::string& o = Out();
    o.append("TABLE=");
    o.append(name);
    o.append("\nDELIMITER=;\n");
}

void CTableWriter::Columns(std::initializer_list<std::string_view> names) {
    std::string& o = Out();
    o.append("COLUMNS=[");
    bool first = true;
    for (std::string_view n : names) {
        if (!first) o.push_back(';');
        o.append(n);
        first = false;
    }
    o.append("]\n");
}

void CTableWriter::BeginSettings(std::string_view name) {
    BeginTable(name);
    Columns({"name", "value"});
}

void CTableWriter::Text(std::string_view key, std::string_view value) {
    Key(key);
    Out().append(value);
    Out().push_back('\n');
}

void CTableWriter::G(std::string_view key, double value) {
    Key(key);
    AppendG(Out(), value);
    Out().push_back('\n');
}

void CTableWriter::F(std::string_view key, double value) {
    Key(key);
    AppendFixed(Out(), value, 6);
    Out().push_back('\n');
}

void CTableWriter::I(std::string_view key, long long value) {
    Key(key);
    AppendInt(Out(), value);
    Out().push_back('\n');
}

void CTableWriter::U(std::string_view key, unsigned long long value) {
    Key(key);
    AppendUInt(Out(), value);
    Out().push_back('\n');
}

bool CTableWriter::Flush() {
    if (file && !buffer.empty()) {
        if (!failed && std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size()) {
            failed = true;
            error = std::strerror(errno);
        }
        buffer.clear();
    }
    return !failed;
}
