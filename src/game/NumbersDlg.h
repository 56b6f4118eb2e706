#pragma once

#include "draw/Game.h"
#include "exchange/ResultsFeed.h"
#include "res/TemplateDialog.h"

#include <QString>
#include <QStringList>

class QAction;
class QLineEdit;
class QMenu;
class QModelIndex;
class QRadioButton;
class QTableView;

namespace drawbook {

class CStatisticsDlg;
class Desktop;
class DrawExchange;
class DrawListModel;

// A game window: the next draw number, five predictions, the draw list and the search.
// CNumbers3Dlg and CNumbers4Dlg are this window for their game.
class CNumbersDlg : public TemplateDialog {
    Q_OBJECT

public:
    Game GetGame() const { return m_game; }

    bool AddDrawListColumn(const QString& caption, int column, int width);
    void ClearDrawList();
    bool FillDrawList(const QString& dbPath, const QString& clause);
    // Moves the digit texts between the members and the fields.
    void UpdateData(bool saveAndValidate);

    void OnListAll();
    // Five numbers by the method chosen for the game, follow until another is.
    void OnPredict();
    // After the statistics window chose a method: the 予想 button's tooltip names it and
    // the predictions, if shown, are made again by it.
    void OnMethodChosen();
    void OnSearch();
    void OnClear();
    void OnHelpButton();
    // Opens the registration dialog.
    void OnRegister();
    // Opens the edit dialog on the draw of the double-clicked row.
    void OnListDblClk(const QModelIndex& index);
    // The draw list's context menu: CSV files in and out.
    void OnImportCsv();
    void OnExportCsv();
    // Imports a CSV file of this game; afterwards every draw is listed and the
    // window shows the book anew.
    void ImportCsvFile(const QString& path);
    // Downloads this game's latest results and imports them, as from a CSV file.
    void OnUpdateResults();
    // Lets the user change where the results come from.
    void OnFeedSettings();
    // On a book without a draw of this game, or behind the shipped history: asks once
    // to import the draws it lacks from there.
    void OfferHistory();
    // Opens the purchase dialog of this game: 開催回 the next draw, the predictions on its buttons.
    void OnTickets();
    // Opens the statistics window, or brings it up again with the history read anew.
    void OnStatistics();
    // Deletes the draws of the selected rows once the user says Yes.
    void OnDeleteDraws();
    // After draws were added, changed or removed: the next draw number, the predictions
    // if they were shown, the list as it was filled last and the statistics, read anew.
    void ShowBookChanged();

    DrawListModel& DrawList() const { return *m_model; }
    // The statistics window once it was opened; one per game window.
    CStatisticsDlg* StatisticsWindow() const { return m_statistics; }

    QString m_strNextDrawNo;
    QString m_strHelpPath;
    QString m_strDbPath;
    QString m_strHistoryPath; // the shipped history of this game; none when empty
    FeedLimits m_feedLimits;

    QLineEdit* m_editPred5 = nullptr;
    QLineEdit* m_editPred4 = nullptr;
    QLineEdit* m_editPred3 = nullptr;
    QLineEdit* m_editPred2 = nullptr;
    QLineEdit* m_editPred1 = nullptr;
    QLineEdit* m_editCount = nullptr;
    QLineEdit* m_editN1 = nullptr;
    QLineEdit* m_editN10 = nullptr;
    QLineEdit* m_editN100 = nullptr;
    QLineEdit* m_editN1000 = nullptr; // four-digit window only
    QLineEdit* m_editNextDraw = nullptr;
    QTableView* m_listDraws = nullptr;
    QMenu* m_menuDrawList = nullptr;
    QAction* m_actionImportCsv = nullptr;
    QAction* m_actionExportCsv = nullptr;
    QAction* m_actionUpdate = nullptr; // F5 anywhere in the window
    QAction* m_actionFeedSettings = nullptr;
    QAction* m_actionTickets = nullptr;    // Ctrl+B anywhere in the window
    QAction* m_actionStatistics = nullptr; // Ctrl+T anywhere in the window
    QAction* m_actionDelete = nullptr;     // Delete in the draw list

    QString m_strN1000;
    QString m_strN100;
    QString m_strN10;
    QString m_strN1;

protected:
    CNumbersDlg(Game game, int templateId, Desktop& desktop, QWidget* parent);

    bool OnInitDialog() override;

    Desktop& m_desktop;

private:
    // What the list was last filled with.
    enum class Listed { Nothing, All, Search };

    void ShowNextDraw();
    // After an import, before its summary: every draw listed, and the rest as ShowBookChanged.
    void ShowImported();
    // Selects the last row and scrolls to it.
    void ShowNewestDraw();
    // Lists the last search's draws and shows how many; returns that count.
    int ListSearch();
    // The last search again, quietly, keeping the selected draw when it is still found.
    void RefillSearch();
    // What the tickets of the added draws first to last came to; nothing without tickets.
    QStringList TicketLines(int first, int last) const;

    Game m_game;
    DrawListModel* m_model;
    CStatisticsDlg* m_statistics = nullptr;
    Listed m_listed = Listed::Nothing;
    QString m_strSearchClause; // of the last search, as pressed then
    bool m_predicted = false;  // 予想 was pressed since the window opened
    // Files, drops and the feed.
    DrawExchange* m_exchange = nullptr;
};

} // namespace drawbook
