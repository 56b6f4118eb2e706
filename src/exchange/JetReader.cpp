#include "exchange/JetReader.h"

#include "db/SqlText.h"

// mdbtools' header uses glib's types without including them.
#include <glib.h>

#include <mdbtools.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>

namespace drawbook {

namespace {

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

std::optional<long long> ReadInteger(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// One bound column: where mdbtools writes the value of the row fetched.
struct Bound {
    MdbColumn* column = nullptr;
    std::vector<char> buffer;
    int length = 0;
};

// Reads one game's table. The columns are found by name in any letter case.
std::optional<std::string> ReadTable(MdbHandle* handle, Game game, std::vector<JetRow>& rows,
                                     const std::function<bool(std::size_t row)>& rowFound) {
    std::string name(TableName(game));
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table_by_name(handle, name.data(), MDB_TABLE));
    if (!table) {
        return "no table " + name;
    }
    GPtrArray* columns = mdb_read_columns(table.get());
    if (columns == nullptr) {
        return "cannot read the columns of " + name;
    }
    // kaisai, the digits, the five numbers, atari: the table's columns in stored order.
    const auto wanted = TableColumns(game);
    std::vector<Bound> bound(wanted.size());
    for (std::size_t w = 0; w < wanted.size(); ++w) {
        for (guint c = 0; c < table->num_cols; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (SameSqlName(column->name, wanted[w])) {
                // A damaged definition may number a column beyond the table's.
                if (column->col_num < 0 || static_cast<guint>(column->col_num) >= table->num_cols) {
                    return "column " + std::string(wanted[w]) + " of " + name + " is damaged";
                }
                bound[w].column = column;
                bound[w].buffer.assign(handle->bind_size + 1, '\0');
                mdb_bind_column(table.get(), static_cast<int>(c) + 1, bound[w].buffer.data(), &bound[w].length);
            }
        }
        if (bound[w].column == nullptr) {
            return "no column " + std::string(wanted[w]) + " in " + name;
        }
    }
    const auto positions = static_cast<std::size_t>(Positions(game));
    std::vector<MdbField> fields(std::max<std::size_t>(table->num_cols, 1));
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        // The bound texts cannot tell a missing value from an empty one; the
        // row's own fields can.
        std::vector<bool> missing(table->num_cols, false);
        int start = 0;
        std::size_t size = 0;
        if ((rowFound && !rowFound(rows.size())) ||
            mdb_find_row(handle, static_cast<int>(table->cur_row) - 1, &start, &size) != 0) {
            return "cannot find row " + std::to_string(rows.size() + 1) + " of " + name + " again";
        }
        // A row's null mask, one bit a column it claims, lies within the row; a damaged
        // row claiming more columns than it can hold is refused, not read beyond.
        const int claimed = mdb_crack_row(table.get(), start, size, fields.data());
        const std::size_t countBytes = IS_JET3(handle) ? 1 : 2;
        if (claimed < 0 || countBytes + (static_cast<std::size_t>(claimed) + 7) / 8 > size) {
            return "row " + std::to_string(rows.size() + 1) + " of " + name + " is damaged";
        }
        // Only the table's columns are cracked, however many the row claims.
        const int count = std::min(claimed, static_cast<int>(table->num_cols));
        for (int f = 0; f < count; ++f) {
            const auto column = static_cast<std::size_t>(fields[static_cast<std::size_t>(f)].colnum);
            if (column < missing.size()) {
                missing[column] = fields[static_cast<std::size_t>(f)].is_null != 0;
            }
        }
        const auto text = [&](std::size_t w) -> std::optional<std::string> {
            const Bound& b = bound[w];
            if (missing[static_cast<std::size_t>(b.column->col_num)]) {
                return std::nullopt;
            }
            return std::string(b.buffer.data(), static_cast<std::size_t>(std::max(b.length, 0)));
        };
        const auto integer = [&](std::size_t w) -> std::optional<long long> {
            const auto value = text(w);
            return value ? ReadInteger(*value) : std::nullopt;
        };
        JetRow row;
        row.kaisai = integer(0);
        for (std::size_t p = 0; p < positions; ++p) {
            row.digits[p] = integer(1 + p);
        }
        for (std::size_t n = 0; n < kNumberCount; ++n) {
            row.numbers[n] = text(1 + positions + n);
        }
        row.atari = text(1 + positions + kNumberCount);
        rows.push_back(std::move(row));
    }
    return std::nullopt;
}

} // namespace

JetBook ReadJetFile(const std::string& path, const std::function<bool(std::size_t row)>& rowFound) {
    JetBook book;
    if (!IsJetFile(path)) {
        book.error = "not a Jet database";
        return book;
    }
    // Old Japanese books of Jet 3 keep their texts in Shift_JIS; Jet 4 in Unicode.
    setenv("MDB_JET3_CHARSET", "CP932", 0);
    std::unique_ptr<MdbHandle, HandleCloser> handle(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!handle) {
        book.error = "cannot open the Jet database";
        return book;
    }
    if (mdb_read_catalog(handle.get(), MDB_TABLE) == nullptr) {
        book.error = "cannot read the Jet database's catalog";
        return book;
    }
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        if (auto error = ReadTable(handle.get(), game, book.tables[game == Game::Numbers3 ? 0 : 1], rowFound)) {
            book.error = std::move(*error);
            book.tables = {};
            return book;
        }
    }
    book.read = true;
    return book;
}

} // namespace drawbook
