#pragma once

#include "db/Game.h"
#include "res/TemplateDialog.h"

#include <QString>

class QLineEdit;
class QModelIndex;
class QRadioButton;
class QTableView;

namespace drawbook {

class Desktop;
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
    void OnPredict();
    void OnSearch();
    void OnClear();
    void OnHelpButton();
    // Opens the registration dialog.
    void OnRegister();
    // Opens the edit dialog on the draw of the double-clicked row.
    void OnListDblClk(const QModelIndex& index);

    DrawListModel& DrawList() const { return *m_model; }

    QString m_strNextDrawNo;
    QString m_strHelpPath;
    QString m_strDbPath;

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

    QString m_strN1000;
    QString m_strN100;
    QString m_strN10;
    QString m_strN1;

protected:
    CNumbersDlg(Game game, int templateId, Desktop& desktop, QWidget* parent);

    bool OnInitDialog() override;

    Desktop& m_desktop;

private:
    Game m_game;
    DrawListModel* m_model;
};

} // namespace drawbook
