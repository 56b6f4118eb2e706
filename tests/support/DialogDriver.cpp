#include "support/DialogDriver.h"

#include "game/Numbers3Dlg.h"
#include "game/Numbers4Dlg.h"
#include "res/TemplateDialog.h"
#include "stats/StatisticsDlg.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QCoreApplication>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace drawbook::test {

namespace {

QWidget* Require(QWidget* dialog, int id) {
    QWidget* control = FindControl(dialog, id);
    if (control == nullptr) {
        qFatal("no control %d", id);
    }
    return control;
}

} // namespace

void UseOwnSettings() {
    static const QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
// Every dialog test starts on settings of its own, whatever the user of this machine chose.
Q_COREAPP_STARTUP_FUNCTION(UseOwnSettings)

void Click(QWidget* dialog, int id) {
    QTest::mouseClick(Require(dialog, id), Qt::LeftButton);
}

void ClickRadio(QWidget* dialog, int id) {
    QWidget* radio = Require(dialog, id);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
}

void Type(QWidget* dialog, int id, const QString& keys) {
    QWidget* control = Require(dialog, id);
    control->setFocus();
    for (const QChar key : keys) {
        if (key.unicode() < 0x80) {
            QTest::keyClick(control, key.toLatin1());
        } else {
            // Text with no key of its own, as an input method sends it.
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(key), Qt::NoModifier);
        }
    }
}

QString TextOf(QWidget* dialog, int id) {
    QWidget* control = Require(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    return control->property("text").toString();
}

bool IsChecked(QWidget* dialog, int id) {
    return qobject_cast<QAbstractButton*>(Require(dialog, id))->isChecked();
}

QStringList ListRows(QTableView* view) {
    QStringList rows;
    const auto* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            cells << model->index(r, c).data().toString();
        }
        rows << cells.join(QLatin1Char('\t'));
    }
    return rows;
}

QStringList ListedDraws(QTableView* view) {
    QStringList draws;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        draws << view->model()->index(r, 0).data().toString();
    }
    return draws;
}

QStringList StoredRow(const TestDatabase& db, Game game, int kaisai) {
    const std::string row = db.Row(game, kaisai);
    if (row == "(none)") {
        return {};
    }
    QStringList cells = QString::fromStdString(row).split(QLatin1Char('\t'));
    cells.removeFirst();
    return cells;
}

std::unique_ptr<CNumbersDlg> OpenGameWindow(Game game, Desktop& desktop, const std::string& dbPath,
                                            const QString& historyPath) {
    std::unique_ptr<CNumbersDlg> window;
    if (game == Game::Numbers3) {
        window = std::make_unique<CNumbers3Dlg>(desktop);
    } else {
        window = std::make_unique<CNumbers4Dlg>(desktop);
    }
    window->m_strDbPath = QString::fromStdString(dbPath);
    window->m_strHelpPath = QStringLiteral("/nonexistent/help");
    window->m_strHistoryPath = historyPath;
    window->show();
    return window;
}

QStringList Cells(const QTableWidget* table) {
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            cells << (item == nullptr ? QString() : item->text());
        }
        rows << cells.join(QLatin1Char('\t'));
    }
    return rows;
}

QStringList Headers(const QTableWidget* table, Qt::Orientation orientation) {
    QStringList headers;
    const int count = orientation == Qt::Horizontal ? table->columnCount() : table->rowCount();
    for (int section = 0; section < count; ++section) {
        headers << table->model()->headerData(section, orientation).toString();
    }
    return headers;
}

CStatisticsDlg* OpenStatistics(CNumbersDlg& window) {
    window.m_actionStatistics->trigger();
    return window.StatisticsWindow();
}

} // namespace drawbook::test
