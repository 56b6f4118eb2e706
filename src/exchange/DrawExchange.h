#pragma once

#include "draw/Game.h"
#include "exchange/FeedProgress.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QMimeData;
class QWidget;

namespace drawbook {

class Desktop;
struct ImportResult;

// The ways draws of one game enter or leave a game window's book: CSV files and
// old books chosen or dropped on the window, the CSV export, the shipped history
// and the results feed. The book path, history path and feed limits are the
// window's, read as they are at each step.
class DrawExchange : public QObject {
    Q_OBJECT

public:
    DrawExchange(Desktop& desktop, Game game, const QString& dbPath, const QString& historyPath,
                 const FeedLimits& limits, QWidget* window);

    // On a book without a draw of this game: whether the shipped history is there
    // and the user did not yet decline it.
    bool OffersHistory() const;
    // Asks once to import the shipped history.
    void OfferHistory();
    void ImportCsv();
    void ImportFile(const QString& path);
    void ExportCsv();
    // Downloads this game's latest results and imports them; ignored while one runs.
    void UpdateResults();
    void EditFeedSettings();

    // The update run by UpdateResults; empty for the download from the game's feed.
    FeedWork m_feedWork;

signals:
    // Draws were added; the window shows them before the summary is shown.
    void DrawsImported();

protected:
    // A .csv file or an old .mdb book dropped anywhere on the window, fields included, is imported.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Imports again letting the file's draws replace the stored ones; with its summary.
    using Replacement = std::function<std::pair<ImportResult, QString>()>;

    static QStringList ImportFiles(const QMimeData* mime);
    // Tells what an import did; after a refusal that a replace would get past,
    // offers the replace.
    void ShowImport(const ImportResult& result, const QString& summary, const Replacement& replace);

    Desktop& m_desktop;
    Game m_game;
    const QString& m_dbPath;
    const QString& m_historyPath;
    const FeedLimits& m_limits;
    QWidget* m_window;
    bool m_updating = false;
};

} // namespace drawbook
