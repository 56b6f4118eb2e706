#pragma once

#include "res/TemplateDialog.h"

#include <QString>

#include <array>
#include <vector>

class QLineEdit;
class QPushButton;

namespace drawbook {

class Desktop;

// Shows one draw of one game, steps to later and earlier draws, and stores
// what it shows into that draw's row.
class CEditDrawDlg : public TemplateDialog {
    Q_OBJECT

public:
    explicit CEditDrawDlg(Desktop& desktop, QWidget* parent = nullptr);

    // Set by the opener before the dialog shows.
    QString m_strGame; // "3" or "4"
    QString m_strDbPath;
    QString m_strDrawNo;
    QString m_strNextDrawNo;

    void ApplyLabels();
    bool LoadDraw(QString dbPath, QString clause);
    bool UpdateDraw(QString dbPath, QString clause);
    // Moves the game code and the draw number between the members and the fields.
    void UpdateData(bool saveAndValidate);

    void OnUp();
    void OnDown();
    void OnClearNumbers();
    void OnStore();

    void accept() override;

signals:
    // The shown draw was written to the book.
    void DrawsStored();

protected:
    bool OnInitDialog() override;

private:
    void Step(bool up);
    // The digit fields of the shown game, highest first.
    std::vector<QLineEdit*> DigitFields() const;

    Desktop& m_desktop;
    QLineEdit* m_editDrawNo;
    QLineEdit* m_editGame;
    QPushButton* m_buttonByTen;
    std::array<QLineEdit*, 4> m_editLabels;
    std::array<QLineEdit*, 4> m_editDigits;
    std::array<QLineEdit*, 5> m_editNumbers;
};

} // namespace drawbook
