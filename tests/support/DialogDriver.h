#pragma once

#include "draw/Game.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QTableView;
class QTableWidget;
class QWidget;

namespace drawbook {
class CNumbersDlg;
class CStatisticsDlg;
class Desktop;
} // namespace drawbook

namespace drawbook::test {

class TestDatabase;

// The game window of the game over the database, shown; with the shipped history when given.
std::unique_ptr<CNumbersDlg> OpenGameWindow(Game game, Desktop& desktop, const std::string& dbPath,
                                            const QString& historyPath = {});

// The program's settings in a folder of this test process alone, empty at first, so that
// tests running side by side and the user's own settings never meet.
void UseOwnSettings();

// Drives a dialog's controls by their IDs, as a user would.
void Click(QWidget* dialog, int id);
void ClickRadio(QWidget* dialog, int id);
void Type(QWidget* dialog, int id, const QString& keys);
QString TextOf(QWidget* dialog, int id);
bool IsChecked(QWidget* dialog, int id);

// The cells of each list row, joined by tabs.
QStringList ListRows(QTableView* view);
// The draw numbers listed, top to bottom.
QStringList ListedDraws(QTableView* view);

// Each row's cells of a table joined by tabs; an empty cell is "".
QStringList Cells(const QTableWidget* table);
// A table's column or row headers.
QStringList Headers(const QTableWidget* table, Qt::Orientation orientation);

// The statistics window of the game window, opened from its menu.
CStatisticsDlg* OpenStatistics(CNumbersDlg& window);

// Digits, five numbers and the hit marker of a draw as stored; empty when no row has it.
QStringList StoredRow(const TestDatabase& db, Game game, int kaisai);

} // namespace drawbook::test
