#pragma once

#include "game/DrawListQuery.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace drawbook {

// The rows of a game window's draw list: seven text cells each.
class DrawListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void InsertColumn(int column, const QString& caption);
    void Clear();
    void AppendRows(const std::vector<DrawListRow>& rows);
    QString Cell(int row, int column) const;

private:
    QStringList m_captions;
    std::vector<QStringList> m_rows;
};

} // namespace drawbook
