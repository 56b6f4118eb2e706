#pragma once

#include "draw/Game.h"
#include "exchange/FeedProgress.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace drawbook {

class Desktop;
struct ImportResult;

// Lines a window adds to an import's summary for the draws first to last it added.
using AddedDrawsLines = std::function<QStringList(int first, int last)>;

// Whether the shipped history at historyPath holds draws the book lacks (all of
// them, or those after the book's last draw) and the user did not decline them.
bool OffersShippedHistory(Game game, const QString& dbPath, const QString& historyPath);
// Asks once to import those draws. Yes imports the file, calls imported once draws
// were added and then shows the summary; true when draws were added.
bool OfferShippedHistory(Desktop& desktop, QWidget* owner, Game game, const QString& dbPath, const QString& historyPath,
                         const std::function<void()>& imported, const AddedDrawsLines& addedLines = {});

// The ways draws of one game enter or leave a game window's book: CSV files and
// old books chosen or dropped on the window, the CSV export, the shipped history
// and the results feed. The book path, history path and feed limits are the
// window's, read as they are at each step.
class DrawExchange : public QObject {
    Q_OBJECT

public:
    DrawExchange(Desktop& desktop, Game game, const QString& dbPath, const QString& historyPath,
                 const FeedLimits& limits, QWidget* window);

    // Whether the shipped history offers this book draws it lacks.
    bool OffersHistory() const;
    // Asks once to import them.
    void OfferHistory();
    void ImportCsv();
    void ImportFile(const QString& path);
    void ExportCsv();
    // Downloads this game's latest results and imports them; ignored while one runs.
    void UpdateResults();
    void EditFeedSettings();

    // The update run by UpdateResults; empty for the download from the game's feed.
    FeedWork m_feedWork;
    // Set by the window: what the summary of an import adds for the draws it added.
    AddedDrawsLines m_addedDrawsLines;

signals:
    // Draws were added; the window shows them before the summary is shown.
    void DrawsImported();

protected:
    // A .csv file or an old .mdb book dropped anywhere on the window, fields included, is imported.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QStringList ImportFiles(const QMimeData* mime);

    Desktop& m_desktop;
    Game m_game;
    const QString& m_dbPath;
    const QString& m_historyPath;
    const FeedLimits& m_limits;
    QWidget* m_window;
    bool m_updating = false;
};

} // namespace drawbook
