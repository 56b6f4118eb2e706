#pragma once

#include "db/DrawListQuery.h"
#include "draw/Bet.h"
#include "draw/Game.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <vector>

namespace drawbook {

// The rows of a game window's draw list: seven text cells each. A number cell that
// wins against its row's winning number is coloured and names the win in its tooltip.
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
    void AppendRows(const std::vector<DrawListRow>& rows);
    QString Cell(int row, int column) const;
    // How the number in the cell fared; None outside the five number columns.
    HitKind Hit(int row, int column) const;

private:
    Game m_game;
    QStringList m_captions;
    std::vector<QStringList> m_rows;
    std::vector<std::array<HitKind, 5>> m_hits; // per row, numbers 1 to 5
};

} // namespace drawbook
