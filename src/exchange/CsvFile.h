#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The byte-order mark that spreadsheets look for in a UTF-8 file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with the bytes; a file already there is left as it was
// when writing fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The text as UTF-8 without its byte-order mark: UTF-8 is taken as it is, anything
// else is read as Shift_JIS (CP932). Nothing when it is neither.
std::optional<std::string> DecodeCsvBytes(std::string_view bytes);
// The same without a copy of UTF-8 bytes: the text is a part of bytes, or of
// converted when it had to be converted.
std::optional<std::string_view> DecodeCsvBytes(std::string_view bytes, std::string& converted);

struct CsvRecord {
    int line = 0; // where the record starts, from 1
    std::vector<std::string> fields;
};

// One record as it is split: its fields stay valid only while it is handed over.
struct CsvRow {
    int line = 0; // where the record starts, from 1
    std::span<const std::string_view> fields;
    bool ended = true; // false for a last record the text stops in, before its line end
};

// Splits CSV text into records and hands each over in turn, until onRecord
// returns false. The rules are those of SplitCsv.
void ForEachCsvRecord(std::string_view text, const std::function<bool(const CsvRow&)>& onRecord);

// Splits CSV text into records: comma-separated fields, double quotes around a
// field that holds commas, quotes ("" inside) or line breaks; LF or CRLF ends a
// record. Lines that are empty are left out.
std::vector<CsvRecord> SplitCsv(std::string_view text);

// One field as CSV writes it: quoted only when it must be.
std::string CsvField(std::string_view text);
// The same, appended.
void AppendCsvField(std::string& out, std::string_view text);

} // namespace drawbook
