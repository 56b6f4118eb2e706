#include "game/DrawListModel.h"

#include <QBrush>
#include <QColor>

namespace drawbook {

namespace {

// Soft enough for black text to stay readable.
const QColor kStraightColour(255, 224, 130);
const QColor kBoxColour(200, 236, 200);

// The winning digits of a row; a missing digit is -1, which nothing hits.
std::vector<int> WinningDigits(const DrawListRow& row) {
    std::vector<int> digits;
    for (const std::string& digit : row.digits) {
        const bool plain = digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9';
        digits.push_back(plain ? digit[0] - '0' : -1);
    }
    return digits;
}

} // namespace

DrawListModel::DrawListModel(Game game, QObject* parent) : QAbstractTableModel(parent), m_game(game) {}

int DrawListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
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
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole) {
        const HitKind hit = Hit(index.row(), index.column());
        switch (hit) {
        case HitKind::None:
            return {};
        case HitKind::Straight:
            return role == Qt::BackgroundRole ? QVariant(QBrush(kStraightColour))
                                              : QVariant(QStringLiteral("ストレート当選"));
        case HitKind::Box:
            return role == Qt::BackgroundRole ? QVariant(QBrush(kBoxColour)) : QVariant(QStringLiteral("ボックス当選"));
        case HitKind::Mini:
            return role == Qt::BackgroundRole ? QVariant(QBrush(kBoxColour)) : QVariant(QStringLiteral("ミニ当選"));
        }
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
    for (QStringList& row : m_rows) {
        row.insert(column, QString());
    }
    endInsertColumns();
}

void DrawListModel::Clear() {
    if (m_rows.empty()) {
        return;
    }
    beginResetModel();
    m_rows.clear();
    m_hits.clear();
    endResetModel();
}

void DrawListModel::AppendRows(const std::vector<DrawListRow>& rows) {
    if (rows.empty()) {
        return;
    }
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    for (const DrawListRow& row : rows) {
        QStringList cells;
        cells.reserve(7);
        cells << QString::fromStdString(row.drawNo) << QString::fromStdString(row.winningNumber);
        const std::vector<int> winning = WinningDigits(row);
        std::array<HitKind, 5> hits{};
        for (std::size_t n = 0; n < row.numbers.size(); ++n) {
            cells << QString::fromStdString(row.numbers[n]);
            hits[n] = CheckHit(m_game, winning, row.numbers[n]);
        }
        m_rows.push_back(std::move(cells));
        m_hits.push_back(hits);
    }
    endInsertRows();
}

QString DrawListModel::Cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)].value(column);
}

HitKind DrawListModel::Hit(int row, int column) const {
    const int number = column - kFirstNumberColumn;
    if (row < 0 || row >= static_cast<int>(m_hits.size()) || number < 0 || number >= 5) {
        return HitKind::None;
    }
    return m_hits[static_cast<std::size_t>(row)][static_cast<std::size_t>(number)];
}

} // namespace drawbook
