#include "game/DrawListModel.h"

namespace drawbook {

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
        for (const std::string& number : row.numbers) {
            cells << QString::fromStdString(number);
        }
        m_rows.push_back(std::move(cells));
    }
    endInsertRows();
}

QString DrawListModel::Cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)].value(column);
}

} // namespace drawbook
