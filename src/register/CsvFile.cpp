#include "register/CsvFile.h"

#include "draw/Utf8.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <iconv.h>

namespace drawbook {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    try {
        // A read error, such as on a directory, throws from inside the stream buffer.
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
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
    const std::filesystem::path target(path);
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

namespace {

std::optional<std::string> FromCp932(std::string_view bytes) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string text(bytes.size() * 3 / 2 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = text.data();
    std::size_t outLeft = text.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno != E2BIG) {
            ok = false; // EILSEQ or EINVAL: not CP932
            break;
        }
        const std::size_t used = static_cast<std::size_t>(out - text.data());
        text.resize(text.size() * 2);
        out = text.data() + used;
        outLeft = text.size() - used;
    }
    iconv_close(converter);
    if (!ok) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

} // namespace

std::optional<std::string> DecodeCsvBytes(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!IsUtf8(bytes)) {
            return std::nullopt;
        }
        return std::string(bytes);
    }
    // Japanese text in CP932 is almost never well-formed UTF-8, so UTF-8 wins when it fits.
    if (IsUtf8(bytes)) {
        return std::string(bytes);
    }
    return FromCp932(bytes);
}

std::vector<CsvRecord> SplitCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool fieldSeen = false;  // the record holds anything, even an empty quoted field
    int line = 1;
    record.line = 1;

    const auto endRecord = [&](int nextLine) {
        if (fieldSeen || !field.empty() || !record.fields.empty()) {
            record.fields.push_back(std::move(field));
            records.push_back(std::move(record));
        }
        record = CsvRecord{};
        record.line = nextLine;
        field.clear();
        fieldSeen = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') {
                    ++line;
                }
                field += c;
            }
            continue;
        }
        switch (c) {
        case '"':
            quoted = true;
            fieldSeen = true;
            break;
        case ',':
            record.fields.push_back(std::move(field));
            field.clear();
            fieldSeen = true;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                break; // the LF ends the record
            }
            ++line;
            endRecord(line);
            break;
        case '\n':
            ++line;
            endRecord(line);
            break;
        default:
            field += c;
            break;
        }
    }
    endRecord(line);
    return records;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
    return field;
}

} // namespace drawbook
