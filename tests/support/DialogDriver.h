#pragma once

#include "draw/Game.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QWidget;
class QTableView;

namespace drawbook {
class CNumbersDlg;
class Desktop;
} // namespace drawbook

namespace drawbook::test {

class TestDatabase;

// The game window of the game over the database, shown.
std::unique_ptr<CNumbersDlg> OpenGameWindow(Game game, Desktop& desktop, const std::string& dbPath);

// Drives a dialog's controls by their IDs, as a user would.
void Click(QWidget* dialog, int id);
void ClickRadio(QWidget* dialog, int id);
void Type(QWidget* dialog, int id, const QString& keys);
QString TextOf(QWidget* dialog, int id);
bool IsChecked(QWidget* dialog, int id);

// The cells of each list row, joined by tabs.
QStringList ListRows(QTableView* view);

// Digits, five numbers and the hit marker of a draw as stored; empty when no row has it.
QStringList StoredRow(const TestDatabase& db, Game game, int kaisai);

} // namespace drawbook::test
