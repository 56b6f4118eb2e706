#pragma once

#include "db/DrawListQuery.h"
#include "db/DrawResultsTable.h"
#include "draw/Bet.h"
#include "draw/Game.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The rows of a game window's draw list: eight text cells each, the draw's date last.
// A number cell that wins against its row's winning number is coloured and names the
// win in its tooltip; the draw number's tooltip gives the draw's date and payouts when
// they are known.
// Rows are kept as read; a cell's text, mark and tooltip are made when the view asks.
class DrawListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kFirstNumberColumn = 2;

    explicit DrawListModel(Game game, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void InsertColumn(int column, const QString& caption);
    void Clear();
    // Lists the rows the clause selects after those already listed; the dates and
    // payouts of the listed draws are read again when a date or tooltip is first asked for.
    // Rows read before a failure stay listed.
    RowsRead AppendRows(const std::string& dbPath, const std::string& clause);
    QString Cell(int row, int column) const;
    // The bet the number in the cell won (CheckHit); nothing outside the five number columns.
    std::optional<Bet> Hit(int row, int column) const;
    // "2026-08-21（金）　ストレート 100,100円　…" in the draw number's column; empty
    // elsewhere and when nothing is known of the draw.
    QString ResultsTip(int row, int column) const;

private:
    struct Row {
        std::int16_t drawNo = 0;
        std::array<std::int16_t, kMaxPositions> digits{}; // highest first
        std::uint8_t missing = 0;                         // bit p: no digit stored at position p
    };

    void AddRow(const DrawRowView& view);
    // The results of the draws from the lowest listed to the highest; none when
    // the book has no table of them or it cannot be read.
    void ReadResults() const;
    // The dates of the listed draws, one a row; 0 where unknown or unreadable.
    void ReadDates() const;
    // The row's date and payouts; unknown when the book has none for its draw.
    DrawResults Results(int row) const;
    // "2026-08-21（金）"; empty when the date is unknown.
    QString DateCell(int row) const;
    // Number n (0 to 4) of the row, as stored.
    std::string_view Number(std::size_t row, int n) const;
    // The cell's place among the eight cells a row was read with; -1 for a cell of a
    // column inserted after the row was listed.
    int ReadColumn(int row, int column) const;

    Game m_game;
    QStringList m_captions;
    std::vector<Row> m_rows;
    std::string m_numbers;                        // every row's five numbers, back to back
    std::vector<std::uint32_t> m_numberEnds;      // per row, where each of its five numbers ends
    std::string m_dbPath;                         // the book the rows were read from
    mutable std::vector<StoredResults> m_results; // in draw order, read when a tooltip is asked for
    mutable bool m_resultsRead = false;           // since the rows were last read
    mutable std::vector<std::int32_t> m_dates;    // per row, yyyymmdd, read when a date is asked for
    mutable bool m_datesRead = false;
    int m_lowestDrawNo = 0; // of the rows held; 0 while there are none
    int m_highestDrawNo = 0;
    int m_listed = 0; // rows the views know of; more are held while a read goes on
    struct Insertion {
        int rows; // rows listed then
        int column;
    };
    std::vector<Insertion> m_insertions; // columns inserted while rows were listed
};

} // namespace drawbook
