#include "game/DrawListModel.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "draw/Calendar.h"
#include "draw/ResultsText.h"
#include "res/HitColours.h"
#include "res/QtText.h"

#include <QBrush>

#include <algorithm>

namespace drawbook {

namespace {

constexpr int kDateColumn = DrawListModel::kFirstNumberColumn + kNumberCount;
constexpr int kReadColumns = kDateColumn + 1; // draw number, winning number, the numbers, the date

// Growing by doubling may leave close to half unused; a long list gives that back.
template <class Container> void ShrinkToFit(Container& container) {
    if (container.capacity() - container.size() > container.size() / 4) {
        container.shrink_to_fit();
    }
}

} // namespace

DrawListModel::DrawListModel(Game game, QObject* parent) : QAbstractTableModel(parent), m_game(game) {}

int DrawListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_listed;
}

int DrawListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

QVariant DrawListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return Cell(index.row(), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && ReadColumn(index.row(), index.column()) == 0) {
        const QString tip = ResultsTip(index.row(), index.column());
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole) {
        const std::optional<Bet> hit = Hit(index.row(), index.column());
        if (!hit) {
            return {};
        }
        if (role == Qt::ToolTipRole) {
            return ToQString(BetLabel(*hit)) + QStringLiteral("当選");
        }
        return QBrush(*hit == Bet::Straight ? kStraightHitColour : kBoxHitColour);
    }
    return {};
}

QVariant DrawListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_captions.size()) {
        return m_captions.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DrawListModel::InsertColumn(int column, const QString& caption) {
    beginInsertColumns(QModelIndex(), column, column);
    m_captions.insert(column, caption);
    if (m_listed > 0) {
        m_insertions.push_back({m_listed, column});
    }
    endInsertColumns();
}

void DrawListModel::Clear() {
    if (m_listed == 0) {
        return;
    }
    beginResetModel();
    // The room stays for the next list.
    m_rows.clear();
    m_numbers.clear();
    m_numberEnds.clear();
    m_results.clear();
    m_resultsRead = false;
    m_dates.clear();
    m_datesRead = false;
    m_lowestDrawNo = 0;
    m_highestDrawNo = 0;
    m_insertions.clear();
    m_listed = 0;
    endResetModel();
}

RowsRead DrawListModel::AppendRows(const std::string& dbPath, const std::string& clause) {
    // Read first, then told to the views all at once.
    const RowsRead read = ForEachDrawRow(dbPath, m_game, clause, [this](const DrawRowView& row) { AddRow(row); });
    ShrinkToFit(m_rows);
    ShrinkToFit(m_numbers);
    ShrinkToFit(m_numberEnds);
    // Read in one statement each when the view first asks for a date or a tooltip.
    m_dbPath = dbPath;
    m_results.clear();
    m_resultsRead = false;
    m_dates.clear();
    m_datesRead = false;
    const int held = static_cast<int>(m_rows.size());
    if (held > m_listed) {
        beginInsertRows(QModelIndex(), m_listed, held - 1);
        m_listed = held;
        endInsertRows();
    }
    return read;
}

void DrawListModel::AddRow(const DrawRowView& view) {
    Row row;
    row.drawNo = view.drawNo;
    for (int p = 0; p < view.positions; ++p) {
        const auto digit = view.digits[static_cast<std::size_t>(p)];
        row.digits[static_cast<std::size_t>(p)] = digit.value_or(0);
        if (!digit) {
            row.missing |= static_cast<std::uint8_t>(1U << p);
        }
    }
    if (m_rows.empty() || row.drawNo < m_lowestDrawNo) {
        m_lowestDrawNo = row.drawNo;
    }
    if (m_rows.empty() || row.drawNo > m_highestDrawNo) {
        m_highestDrawNo = row.drawNo;
    }
    m_rows.push_back(row);
    for (const std::string_view number : view.numbers) {
        m_numbers.append(number);
        m_numberEnds.push_back(static_cast<std::uint32_t>(m_numbers.size()));
    }
}

void DrawListModel::ReadResults() const {
    m_results.clear();
    m_resultsRead = true;
    if (m_rows.empty()) {
        return;
    }
    try {
        Connection connection(m_dbPath, OpenMode::ReadOnly);
        m_results = ReadDrawResults(connection, m_game, m_lowestDrawNo, m_highestDrawNo);
    } catch (const DbError&) {
        // The list stands without its tooltips.
        m_results.clear();
    }
    ShrinkToFit(m_results);
}

std::string_view DrawListModel::Number(std::size_t row, int n) const {
    const std::size_t at = row * kNumberCount + static_cast<std::size_t>(n);
    const std::size_t begin = at == 0 ? 0 : m_numberEnds[at - 1];
    return std::string_view(m_numbers).substr(begin, m_numberEnds[at] - begin);
}

int DrawListModel::ReadColumn(int row, int column) const {
    // Undone newest first, as each insertion moved the cells after it one place on.
    for (auto it = m_insertions.rbegin(); it != m_insertions.rend(); ++it) {
        if (row < it->rows) {
            if (column == it->column) {
                return -1;
            }
            column -= column > it->column ? 1 : 0;
        }
    }
    return column;
}

QString DrawListModel::Cell(int row, int column) const {
    if (row < 0 || row >= m_listed) {
        return {};
    }
    const Row& shown = m_rows[static_cast<std::size_t>(row)];
    const int read = ReadColumn(row, column);
    if (read == 0) {
        return QString::number(shown.drawNo);
    }
    if (read == 1) {
        QString winning;
        for (int p = 0; p < Positions(m_game); ++p) {
            if ((shown.missing & (1U << p)) == 0) {
                winning += QString::number(shown.digits[static_cast<std::size_t>(p)]);
            }
        }
        return winning;
    }
    if (read == kDateColumn) {
        return DateCell(row);
    }
    if (read < kFirstNumberColumn || read >= kReadColumns) {
        return {};
    }
    const std::string_view number = Number(static_cast<std::size_t>(row), read - kFirstNumberColumn);
    return QString::fromUtf8(number.data(), static_cast<qsizetype>(number.size()));
}

DrawResults DrawListModel::Results(int row) const {
    if (!m_resultsRead) {
        ReadResults();
    }
    return FindResults(m_results, m_rows[static_cast<std::size_t>(row)].drawNo);
}

void DrawListModel::ReadDates() const {
    m_datesRead = true;
    m_dates.assign(m_rows.size(), 0);
    std::vector<DrawDate> known;
    try {
        Connection connection(m_dbPath, OpenMode::ReadOnly);
        known = ReadDrawDates(connection, m_game, m_lowestDrawNo, m_highestDrawNo);
    } catch (const DbError&) {
        // The list stands without its dates.
        return;
    }
    const auto less = [](const DrawDate& d, int drawNo) { return d.drawNo < drawNo; };
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const int drawNo = m_rows[row].drawNo;
        const auto found = std::lower_bound(known.begin(), known.end(), drawNo, less);
        if (found != known.end() && found->drawNo == drawNo) {
            m_dates[row] = found->date;
        }
    }
}

QString DrawListModel::DateCell(int row) const {
    if (!m_datesRead) {
        ReadDates();
    }
    const int date = m_dates[static_cast<std::size_t>(row)];
    if (date == 0) {
        return {};
    }
    return ToQString(DateText(date)) + QStringLiteral("（") + ToQString(WeekdayText(date)) + QStringLiteral("）");
}

QString DrawListModel::ResultsTip(int row, int column) const {
    if (row < 0 || row >= m_listed || ReadColumn(row, column) != 0) {
        return {};
    }
    return ToQString(ResultsText(m_game, Results(row)));
}

std::optional<Bet> DrawListModel::Hit(int row, int column) const {
    const int number = column - kFirstNumberColumn;
    if (row < 0 || row >= m_listed || number < 0 || number >= kNumberCount) {
        return std::nullopt;
    }
    // A missing digit is -1: like any digit that is not 0 to 9, nothing hits it.
    const Row& shown = m_rows[static_cast<std::size_t>(row)];
    const int positions = Positions(m_game);
    std::array<int, kMaxPositions> winning{};
    for (int p = 0; p < positions; ++p) {
        const bool missing = (shown.missing & (1U << p)) != 0;
        winning[static_cast<std::size_t>(p)] = missing ? -1 : shown.digits[static_cast<std::size_t>(p)];
    }
    return CheckHit(m_game, std::span<const int>(winning.data(), static_cast<std::size_t>(positions)),
                    Number(static_cast<std::size_t>(row), number));
}

} // namespace drawbook
