#include "db/DrawListQuery.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"
#include "draw/DigitText.h"

namespace drawbook {

void DrawRowView::AppendWinningNumber(std::string& out) const {
    for (int p = 0; p < positions; ++p) {
        if (const auto digit = digits[static_cast<std::size_t>(p)]) {
            AppendInteger(out, *digit);
        }
    }
}

RowsRead ForEachDrawRow(const std::string& dbPath, Game game, const std::string& clause,
                        const std::function<void(const DrawRowView&)>& onRow) {
    RowsRead read;
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement statement(connection, DrawListStatement(game, clause));
        DrawRowView row;
        row.positions = Positions(game);
        try {
            while (statement.Step()) {
                row.drawNo = statement.ColumnInt16(0).value_or(0);
                for (int p = 0; p < row.positions; ++p) {
                    row.digits[static_cast<std::size_t>(p)] = statement.ColumnInt16(1 + p);
                }
                for (int n = 0; n < kNumberCount; ++n) {
                    row.numbers[static_cast<std::size_t>(n)] = statement.ColumnView(1 + row.positions + n);
                }
                onRow(row);
                ++read.rows;
            }
        } catch (const DbError& e) {
            read.status = ReadStatus::Interrupted;
            read.error = e.what();
        }
    } catch (const DbError& e) {
        read.status = ReadStatus::NotOpened;
        read.error = e.what();
    }
    return read;
}

DrawListResult ReadDrawList(const std::string& dbPath, Game game, const std::string& clause) {
    DrawListResult result;
    const RowsRead read = ForEachDrawRow(dbPath, game, clause, [&result](const DrawRowView& view) {
        DrawListRow row;
        AppendInteger(row.drawNo, view.drawNo);
        for (int p = 0; p < view.positions; ++p) {
            const auto digit = view.digits[static_cast<std::size_t>(p)];
            row.digits.push_back(digit ? std::to_string(*digit) : std::string());
            row.winningNumber += row.digits.back();
        }
        for (std::size_t n = 0; n < row.numbers.size(); ++n) {
            row.numbers[n] = view.numbers[n];
        }
        result.rows.push_back(std::move(row));
    });
    result.status = read.status;
    result.error = read.error;
    return result;
}

} // namespace drawbook
