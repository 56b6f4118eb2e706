#include "exchange/CsvFile.h"

#include "draw/Utf8.h"
#include "platform/CodePage.h"
#include "platform/FilePath.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace drawbook {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    try {
        // A read error, such as on a directory, throws from inside the stream buffer.
        std::string bytes;
        std::error_code unknown;
        const auto size = std::filesystem::file_size(PathFromUtf8(path), unknown);
        if (!unknown) {
            bytes.reserve(static_cast<std::size_t>(size));
        }
        char chunk[1 << 16];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
            bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
        }
        if (file.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}
bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    // Written beside the target first, so a failure never leaves half a file.
    const std::filesystem::path target = PathFromUtf8(path);
    std::filesystem::path temporary = target;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            return false;
        }
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::optional<std::string_view> DecodeCsvBytes(std::string_view bytes, std::string& converted) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!IsUtf8(bytes)) {
            return std::nullopt;
        }
        return bytes;
    }
    // Japanese text in CP932 is almost never well-formed UTF-8, so UTF-8 wins when it fits.
    if (IsUtf8(bytes)) {
        return bytes;
    }
    auto text = Cp932ToUtf8(bytes);
    if (!text) {
        return std::nullopt;
    }
    converted = std::move(*text);
    return converted;
}

std::optional<std::string> DecodeCsvBytes(std::string_view bytes) {
    std::string converted;
    const auto text = DecodeCsvBytes(bytes, converted);
    if (!text) {
        return std::nullopt;
    }
    return std::string(*text);
}

void ForEachCsvRecord(std::string_view text, const std::function<bool(const CsvRow&)>& onRecord) {
    // The fields of the record being split, one after another, and where each ends.
    std::string bytes;
    std::vector<std::size_t> ends;
    std::vector<std::string_view> fields;
    bool quoted = false;    // inside a quoted field
    bool fieldSeen = false; // the record holds anything, even an empty quoted field
    int line = 1;
    int recordLine = 1;

    // Hands the record over; false when the reader wants no more.
    const auto endRecord = [&](int nextLine, bool ended) {
        bool more = true;
        if (fieldSeen || bytes.size() > (ends.empty() ? 0 : ends.back()) || !ends.empty()) {
            ends.push_back(bytes.size());
            fields.clear();
            std::size_t start = 0;
            for (const std::size_t end : ends) {
                fields.emplace_back(bytes.data() + start, end - start);
                start = end;
            }
            more = onRecord(CsvRow{recordLine, fields, ended});
        }
        bytes.clear();
        ends.clear();
        fieldSeen = false;
        recordLine = nextLine;
        return more;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    bytes += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') {
                    ++line;
                }
                bytes += c;
            }
            continue;
        }
        switch (c) {
        case '"':
            quoted = true;
            fieldSeen = true;
            break;
        case ',':
            ends.push_back(bytes.size());
            fieldSeen = true;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                break; // the LF ends the record
            }
            ++line;
            if (!endRecord(line, true)) {
                return;
            }
            break;
        case '\n':
            ++line;
            if (!endRecord(line, true)) {
                return;
            }
            break;
        default: {
            // A run of plain characters goes in at once.
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != ',' && text[end] != '"' && text[end] != '\r' &&
                   text[end] != '\n') {
                ++end;
            }
            bytes.append(text.substr(i, end - i));
            i = end - 1;
            break;
        }
        }
    }
    endRecord(line, false);
}

std::vector<CsvRecord> SplitCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    ForEachCsvRecord(text, [&records](const CsvRow& row) {
        records.push_back({row.line, std::vector<std::string>(row.fields.begin(), row.fields.end())});
        return true;
    });
    return records;
}

std::string CsvField(std::string_view text) {
    std::string field;
    AppendCsvField(field, text);
    return field;
}

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

} // namespace drawbook
