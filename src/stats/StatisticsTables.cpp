#include "stats/StatisticsTables.h"

#include "draw/ResultsText.h"
#include "res/QtText.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace drawbook {

QLocale GroupingLocale() {
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

QString Percent(double share) {
    return QString::number(share * 100, 'f', 1);
}

QTableWidget* NewTable(const QStringList& columns, const QStringList& rows) {
    auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    table->setVerticalHeaderLabels(rows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return table;
}

void FitHeight(QTableWidget* table) {
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) {
        height += table->verticalHeader()->sectionSizeHint(row);
    }
    table->setFixedHeight(height);
}

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
    if (QTableWidgetItem* shown = table->item(row, column)) {
        shown->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

void ClearCells(QTableWidget* table) {
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            delete table->takeItem(row, column);
        }
    }
}

QLabel* NoteLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

void ShowLedgerLines(QTableWidget* table, const std::vector<LedgerLine>& lines) {
    for (int row = 0; row < static_cast<int>(lines.size()) && row < table->rowCount(); ++row) {
        const LedgerLine& line = lines[static_cast<std::size_t>(row)];
        SetCell(table, row, 0, GroupingLocale().toString(line.tickets));
        SetCell(table, row, 1, ToQString(YenText(line.cost)));
        SetCell(table, row, 2, ToQString(YenText(line.won)));
        SetCell(table, row, 3, ToQString(YenText(line.Balance())));
        SetCell(table, row, 4, ToQString(line.ReturnText()));
    }
}

QLabel* HeadingLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace drawbook
