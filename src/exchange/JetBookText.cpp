#include "exchange/JetBookText.h"

#include <charconv>
#include <optional>

namespace drawbook {

namespace {

constexpr std::string_view kHeader = "drawbook-jet-rows 1\n";
constexpr std::string_view kEnd = "end\n";

std::size_t ColumnCount(Game game) {
    return 1 + static_cast<std::size_t>(Positions(game)) + kNumberCount + 1;
}

void WriteField(std::string& out, const std::optional<std::string>& value) {
    if (!value) {
        out += "-\n";
        return;
    }
    out += "+" + std::to_string(value->size()) + "\n";
    out += *value;
    out += "\n";
}

std::optional<std::string> Decimal(const std::optional<long long>& value) {
    return value ? std::optional<std::string>(std::to_string(*value)) : std::nullopt;
}

// Reads the text from its start, refusing anything out of shape.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool Take(std::string_view expected) {
        if (!m_text.starts_with(expected)) {
            return false;
        }
        m_text.remove_prefix(expected.size());
        return true;
    }

    // Digits only, no sign and no leading zero but for 0 itself.
    std::optional<std::size_t> Count() {
        std::size_t digits = 0;
        while (digits < m_text.size() && m_text[digits] >= '0' && m_text[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || (digits > 1 && m_text[0] == '0')) {
            return std::nullopt;
        }
        std::size_t value = 0;
        const auto [end, error] = std::from_chars(m_text.data(), m_text.data() + digits, value);
        if (error != std::errc()) {
            return std::nullopt;
        }
        m_text.remove_prefix(digits);
        return value;
    }

    // One field; false when it is out of shape.
    bool Field(std::optional<std::string>& value) {
        if (Take("-\n")) {
            value.reset();
            return true;
        }
        std::optional<std::size_t> length;
        if (!Take("+") || !(length = Count()) || !Take("\n") || *length >= m_text.size() || m_text[*length] != '\n') {
            return false;
        }
        value = std::string(m_text.substr(0, *length));
        m_text.remove_prefix(*length + 1);
        return true;
    }

    bool AtEnd() const { return m_text.empty(); }

private:
    std::string_view m_text;
};

// A whole number as the writer writes it; a missing value stays missing.
bool Integer(const std::optional<std::string>& text, std::optional<long long>& value) {
    if (!text) {
        value.reset();
        return true;
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (text->empty() || error != std::errc() || end != text->data() + text->size() ||
        std::to_string(number) != *text) {
        return false;
    }
    value = number;
    return true;
}

bool ReadTable(Reader& reader, Game game, std::vector<JetRow>& rows) {
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    std::optional<std::size_t> columns;
    std::optional<std::size_t> count;
    if (!reader.Take("table ") || !(columns = reader.Count()) || *columns != ColumnCount(game) || !reader.Take(" ") ||
        !(count = reader.Count()) || !reader.Take("\n")) {
        return false;
    }
    for (std::size_t r = 0; r < *count; ++r) {
        std::vector<std::optional<std::string>> fields(*columns);
        for (auto& field : fields) {
            if (!reader.Field(field)) {
                return false;
            }
        }
        JetRow row;
        if (!Integer(fields[0], row.kaisai)) {
            return false;
        }
        for (std::size_t p = 0; p < positions; ++p) {
            if (!Integer(fields[1 + p], row.digits[p])) {
                return false;
            }
        }
        for (std::size_t n = 0; n < kNumberCount; ++n) {
            row.numbers[n] = fields[1 + positions + n];
        }
        row.atari = fields[1 + positions + kNumberCount];
        rows.push_back(std::move(row));
    }
    return true;
}

} // namespace

std::string WriteJetBookText(const JetBook& book) {
    std::string out(kHeader);
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const std::vector<JetRow>& rows = book.Rows(game);
        const auto positions = static_cast<std::size_t>(Positions(game));
        out += "table " + std::to_string(ColumnCount(game)) + " " + std::to_string(rows.size()) + "\n";
        for (const JetRow& row : rows) {
            WriteField(out, Decimal(row.kaisai));
            for (std::size_t p = 0; p < positions; ++p) {
                WriteField(out, Decimal(row.digits[p]));
            }
            for (const auto& number : row.numbers) {
                WriteField(out, number);
            }
            WriteField(out, row.atari);
        }
    }
    out += kEnd;
    return out;
}

JetBook ParseJetBookText(std::string_view text) {
    JetBook book;
    Reader reader(text);
    bool whole = reader.Take(kHeader);
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        whole = whole && ReadTable(reader, game, book.tables[game == Game::Numbers3 ? 0 : 1]);
    }
    whole = whole && reader.Take(kEnd) && reader.AtEnd();
    if (!whole) {
        book.tables = {};
        book.error = "the Jet reader's output is malformed";
        return book;
    }
    book.read = true;
    return book;
}

} // namespace drawbook
