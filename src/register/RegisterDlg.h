#pragma once

#include "draw/Game.h"
#include "res/TemplateDialog.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

class QLineEdit;

namespace drawbook {

class Desktop;
struct DrawEdit;

// Adds the next draw of both games at once, with five numbers for each, then
// shows the draws after those. A book without draws is offered the shipped history first.
class CRegisterDlg : public TemplateDialog {
    Q_OBJECT

public:
    explicit CRegisterDlg(Desktop& desktop, QWidget* parent = nullptr);

    // Set by the opener before the dialog shows.
    QString m_strDbPath;
    QString m_strHistoryDir; // the folder of the shipped histories; none when empty

    QLineEdit* m_editN1000_4;
    QLineEdit* m_editPred4_5;
    QLineEdit* m_editPred4_4;
    QLineEdit* m_editPred4_3;
    QLineEdit* m_editPred4_2;
    QLineEdit* m_editPred4_1;
    QLineEdit* m_editN100_4;
    QLineEdit* m_editN10_4;
    QLineEdit* m_editDraw4;
    QLineEdit* m_editN1_4;
    QLineEdit* m_editPred3_5;
    QLineEdit* m_editPred3_4;
    QLineEdit* m_editPred3_3;
    QLineEdit* m_editPred3_2;
    QLineEdit* m_editPred3_1;
    QLineEdit* m_editN100_3;
    QLineEdit* m_editN10_3;
    QLineEdit* m_editDraw3;
    QLineEdit* m_editN1_3;

    QString m_strN1_3;
    QString m_strN10_3;
    QString m_strN100_3;
    QString m_strN1_4;
    QString m_strN10_4;
    QString m_strN100_4;
    QString m_strN1000_4;

    bool ShowNextDraw3(QString dbPath, QString clause);
    bool ShowNextDraw4(QString dbPath, QString clause);
    // Adds both draws in one transaction; on a refusal or failure nothing is
    // added, the user is told why and every field keeps its text.
    bool InsertDraws(QString dbPath, const DrawEdit& three, const DrawEdit& four);
    // Moves the seven digit texts between the members and the fields.
    void UpdateData(bool saveAndValidate);

    void OnAdd();

    void accept() override;

signals:
    // Both draws were added to the book.
    void DrawsStored();

protected:
    bool OnInitDialog() override;

private:
    // Once the dialog is up: for each game without a draw, ナンバーズ３ first, asks
    // once to import the shipped history, so the first draw typed is a real one.
    void OfferHistory();
    bool ShowNextDraw(Game game, const QString& dbPath, const QString& clause);
    bool Predict(Game game, const QString& clause);
    // The game's draw as its fields hold it.
    DrawEdit FieldTexts(Game game) const;
    std::array<QLineEdit*, 5> NumberFields(Game game) const;
    void ShowMessages(const std::vector<std::string>& messages);

    Desktop& m_desktop;
};

} // namespace drawbook
