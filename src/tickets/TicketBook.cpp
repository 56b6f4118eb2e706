#include "tickets/TicketBook.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DrawQueries.h"
#include "db/DrawResultsTable.h"
#include "db/Statement.h"
#include "db/TicketsTable.h"
#include "db/Transaction.h"
#include "draw/DigitText.h"

#include <algorithm>

namespace drawbook {

namespace {

// A stored draw's winning digits; empty when one is missing.
struct StoredDraw {
    int drawNo = 0;
    std::vector<int> digits;
};

std::vector<StoredDraw> ReadWinning(Connection& connection, Game game, int first, int last) {
    std::vector<StoredDraw> draws;
    Statement rows(connection,
                   SelectDraws(game, DrawColumns::KeyAndDigits, "WHERE kaisai>=?1 AND kaisai<=?2 ORDER BY kaisai"));
    rows.BindInt(1, first);
    rows.BindInt(2, last);
    while (rows.Step()) {
        StoredDraw draw{static_cast<int>(rows.ColumnInt64(0)), {}};
        for (int p = 0; p < Positions(game); ++p) {
            const auto digit = rows.ColumnInteger(p + 1);
            if (!digit || *digit < 0 || *digit > 9) {
                draw.digits.clear();
                break;
            }
            draw.digits.push_back(static_cast<int>(*digit));
        }
        draws.push_back(std::move(draw));
    }
    return draws;
}

Ticket RowTicket(const Statement& rows, Game game) {
    Ticket ticket;
    ticket.id = rows.ColumnInt64(0);
    ticket.game = game;
    ticket.drawNo = static_cast<int>(rows.ColumnInt64(1));
    ticket.number = rows.ColumnText(2);
    ticket.bet = BetFromName(rows.ColumnView(3)).value_or(Bet::Straight);
    ticket.units = static_cast<int>(rows.ColumnInt64(4));
    ticket.recordedAt = rows.ColumnText(5);
    return ticket;
}

constexpr std::string_view kTicketColumns = "id,kaisai,number,bet,units,recorded_at";

std::string MissingTicketsMessage(std::span<const long long> ids) {
    std::string message = "　";
    for (std::size_t i = 0; i < ids.size(); ++i) {
        message += (i > 0 ? "、番号" : "番号") + std::to_string(ids[i]);
    }
    return message + "の購入記録はありません。何も削除していません。。";
}

} // namespace

TicketsRead ReadTickets(const std::string& dbPath, Game game, int first, int last) {
    TicketsRead read;
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        const TicketsTableState table = CheckTicketsTable(connection);
        if (table == TicketsTableState::Unusable) {
            return {ReadStatus::NotOpened, std::string(kTicketsUnusableMessage), {}};
        }
        if (table == TicketsTableState::Missing) {
            return read;
        }
        Statement rows(connection, "SELECT " + std::string(kTicketColumns) + " FROM " + std::string(kTicketsTable) +
                                       " WHERE game=?1 AND kaisai>=?2 AND kaisai<=?3 ORDER BY kaisai,id");
        rows.BindText(1, GameCode(game));
        rows.BindInt(2, first);
        rows.BindInt(3, last);
        while (rows.Step()) {
            read.rows.push_back({RowTicket(rows, game), {}, 0, {}});
        }
        if (read.rows.empty()) {
            return read;
        }
        // The draws and results the tickets span, each read once beside the tickets in draw order.
        const int from = read.rows.front().ticket.drawNo;
        const int to = read.rows.back().ticket.drawNo;
        const std::vector<StoredDraw> draws = ReadWinning(connection, game, from, to);
        const std::vector<StoredResults> results = ReadDrawResults(connection, game, from, to);
        auto draw = draws.begin();
        for (TicketRow& row : read.rows) {
            while (draw != draws.end() && draw->drawNo < row.ticket.drawNo) {
                ++draw;
            }
            if (draw == draws.end() || draw->drawNo != row.ticket.drawNo) {
                row.result = ResultOf(row.ticket, std::nullopt, {});
                continue;
            }
            const DrawResults drawResults = FindResults(results, row.ticket.drawNo);
            row.result = ResultOf(row.ticket, std::span<const int>(draw->digits), drawResults);
            row.drawDate = drawResults.date;
            row.winningNumber = DigitsText(draw->digits);
        }
    } catch (const DbError& e) {
        return {ReadStatus::NotOpened, e.what(), {}};
    }
    return read;
}

std::vector<NewTicket> ContinuedTickets(const NewTicket& first, int draws) {
    std::vector<NewTicket> tickets;
    for (int i = 0; i < draws; ++i) {
        tickets.push_back(first);
        tickets.back().drawNo = first.drawNo + i;
    }
    return tickets;
}

RecordResult RecordTickets(const std::string& dbPath, Game game, std::span<const NewTicket> tickets) {
    RecordResult result;
    for (const NewTicket& ticket : tickets) {
        if (auto refusal = TicketRefusal(game, ticket)) {
            return {TicketWrite::Refused, {}, std::move(*refusal), {}};
        }
    }
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        const TicketsTableState table = CheckTicketsTable(connection);
        if (table == TicketsTableState::Unusable) {
            return {TicketWrite::Unusable, {}, std::string(kTicketsUnusableMessage), {}};
        }
        if (table == TicketsTableState::Missing) {
            CreateTicketsTable(connection);
        }
        Statement insert(connection, "INSERT INTO " + std::string(kTicketsTable) +
                                         " (game,kaisai,number,bet,units,recorded_at) VALUES"
                                         " (?1,?2,?3,?4,?5,strftime('%Y-%m-%d %H:%M:%S','now','localtime'))"
                                         " RETURNING " +
                                         std::string(kTicketColumns));
        insert.BindText(1, GameCode(game));
        for (const NewTicket& ticket : tickets) {
            const std::string number = *TicketNumber(game, ticket.number);
            insert.Reset();
            insert.BindInt(2, ticket.drawNo);
            insert.BindText(3, number);
            insert.BindText(4, BetName(ticket.bet));
            insert.BindInt(5, ticket.units);
            if (!insert.Step()) {
                throw DbError("no ticket was returned", 0);
            }
            result.added.push_back(RowTicket(insert, game));
        }
        insert.Reset();
        transaction.Commit();
    } catch (const DbError& e) {
        return {TicketWrite::Failed, {}, {}, e.what()};
    }
    return result;
}

DeleteTicketsResult DeleteTickets(const std::string& dbPath, Game game, std::span<const long long> ids) {
    std::vector<long long> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    DeleteTicketsResult result;
    try {
        Connection connection(dbPath, OpenMode::ReadWrite);
        Transaction transaction(connection);
        const TicketsTableState table = CheckTicketsTable(connection);
        if (table == TicketsTableState::Unusable) {
            return {TicketWrite::Unusable, {}, std::string(kTicketsUnusableMessage), {}};
        }
        if (table == TicketsTableState::Missing) {
            result.missing = sorted;
        } else {
            Statement find(connection, "SELECT 1 FROM " + std::string(kTicketsTable) + " WHERE game=?1 AND id=?2");
            find.BindText(1, GameCode(game));
            for (const long long id : sorted) {
                find.Reset();
                find.BindInt(2, id);
                if (!find.Step()) {
                    result.missing.push_back(id);
                }
            }
        }
        if (!result.missing.empty()) {
            result.outcome = TicketWrite::Refused;
            result.message = MissingTicketsMessage(result.missing);
            return result;
        }
        Statement remove(connection, "DELETE FROM " + std::string(kTicketsTable) + " WHERE game=?1 AND id=?2");
        remove.BindText(1, GameCode(game));
        for (const long long id : sorted) {
            remove.Reset();
            remove.BindInt(2, id);
            remove.Execute();
        }
        transaction.Commit();
    } catch (const DbError& e) {
        return {TicketWrite::Failed, {}, {}, e.what()};
    }
    return result;
}

} // namespace drawbook
