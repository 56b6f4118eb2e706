#pragma once

#include "stats/Ledger.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QTableWidget;

namespace drawbook {

// Thousands separated by commas, whatever the system's locale.
QLocale GroupingLocale();

// A share as a percentage with one decimal: "72.0".
QString Percent(double share);

// A table the user reads but cannot edit, select or scroll.
QTableWidget* NewTable(const QStringList& columns, const QStringList& rows);
// As tall as its rows, so nothing scrolls.
void FitHeight(QTableWidget* table);
// A cell's text, right-aligned.
void SetCell(QTableWidget* table, int row, int column, const QString& text);
void ClearCells(QTableWidget* table);
// 口数, 購入額, 当せん金, 収支, 回収率 of each ticket, one row each.
void ShowLedgerLines(QTableWidget* table, const std::vector<LedgerLine>& lines);

// A note beside a table or chart, wrapped to the page.
QLabel* NoteLabel(const QString& text);
// A table's heading, in bold.
QLabel* HeadingLabel(const QString& text);

} // namespace drawbook
