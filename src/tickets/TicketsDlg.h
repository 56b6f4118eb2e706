#pragma once

#include "draw/Game.h"
#include "res/TemplateDialog.h"
#include "tickets/Ticket.h"

#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace drawbook {

class Desktop;

// 購入記録: records the tickets bought for coming draws of one game, lists every
// ticket of the game with its result, latest draw first, and deletes tickets.
class CTicketsDlg : public TemplateDialog {
    Q_OBJECT

public:
    CTicketsDlg(Desktop& desktop, Game game, QWidget* parent = nullptr);

    // Set by the opener before the dialog shows.
    QString m_strDbPath;
    QString m_strNextDrawNo;                 // 開催回 at first
    std::array<QString, 5> m_strPredictions; // the buttons' numbers; an empty one is not offered

    QLineEdit* m_editDrawNo;
    QLineEdit* m_editNumber;
    QLineEdit* m_editDraws;
    QCheckBox* m_checkContinue;
    QTableView* m_listTickets;

    // Records the checked bets' tickets; a bad field is named and every field keeps its text.
    void OnAdd();
    // Deletes the selected tickets once the user says Yes.
    void OnDelete();
    // Lists the game's tickets as the book holds them.
    void FillTicketList();
    QStandardItemModel& TicketList() const { return *m_model; }

protected:
    bool OnInitDialog() override;

private:
    Desktop& m_desktop;
    Game m_game;
    QStandardItemModel* m_model;
    std::vector<Ticket> m_listed; // the tickets of the list's rows, top to bottom
};

} // namespace drawbook
