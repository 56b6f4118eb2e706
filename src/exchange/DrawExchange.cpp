#include "exchange/DrawExchange.h"

#include "db/DrawCounter.h"
#include "db/DrawStore.h"
#include "db/ReadStatus.h"
#include "exchange/DrawExport.h"
#include "exchange/DrawImport.h"
#include "exchange/FeedSettings.h"
#include "exchange/FeedSettingsDlg.h"
#include "exchange/FeedUpdate.h"
#include "res/Desktop.h"
#include "res/QtText.h"

#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <string>
#include <utility>

namespace drawbook {

namespace {

// The offer the shipped history makes to the book, unless it is missing or was declined.
std::optional<HistoryOffer> PendingOffer(Game game, const QString& dbPath, const QString& historyPath) {
    if (historyPath.isEmpty() || !QFileInfo::exists(historyPath)) {
        return std::nullopt;
    }
    const std::optional<std::string> next = CountDraws(dbPath.toStdString(), game, std::string(kAllDrawsClause));
    if (!next) {
        return std::nullopt;
    }
    std::optional<HistoryOffer> offer = BundledHistoryOffer(game, std::stoi(*next));
    if (offer && FeedSettings().HistoryDeclined(dbPath, game, offer->behind)) {
        return std::nullopt;
    }
    return offer;
}

// Imports again letting the file's draws replace the stored ones; with its summary.
using Replacement = std::function<std::pair<ImportResult, QString>()>;

// Added draws are shown by imported before the summary, which ends with the window's
// lines for them; a refusal lists its report, then offers the replace when that would get past it.
void ShowImport(Desktop& desktop, QWidget* owner, const ImportResult& result, const QString& summary,
                const std::function<void()>& imported, const Replacement& replace, const AddedDrawsLines& addedLines) {
    switch (result.outcome) {
    case ImportOutcome::Imported: {
        imported();
        const QStringList lines =
            result.added > 0 && addedLines ? addedLines(result.firstAdded, result.lastAdded) : QStringList();
        desktop.ShowMessage(owner, lines.isEmpty() ? summary : summary + QStringLiteral("\n\n") + lines.join(u'\n'),
                            Desktop::Icon::None);
        return;
    }
    case ImportOutcome::Refused: {
        QStringList report;
        for (const std::string& line : result.report) {
            report << QString::fromStdString(line);
        }
        desktop.ShowMessage(owner, report.join(QLatin1Char('\n')), Desktop::Icon::Stop);
        if (result.replaceable &&
            desktop.Ask(owner, QString::fromStdString(ReplaceQuestion(result)), Desktop::Answer::No)) {
            const auto [replaced, replacedSummary] = replace();
            ShowImport(desktop, owner, replaced, replacedSummary, imported, replace, addedLines);
        }
        return;
    }
    case ImportOutcome::Failed:
        desktop.ShowMessage(owner, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
        return;
    }
}

ImportResult Import(Desktop& desktop, Game game, const QString& dbPath, const QString& path,
                    AddMode mode = AddMode::Refuse) {
    WaitCursor wait(desktop);
    return ImportDrawFile(dbPath.toStdString(), game, path.toStdString(), mode);
}

// The file imported again in the replace mode.
Replacement ReplaceWithFile(Desktop& desktop, Game game, const QString& dbPath, const QString& path) {
    return [&desktop, game, dbPath, path] {
        ImportResult replaced = Import(desktop, game, dbPath, path, AddMode::Replace);
        QString summary = QString::fromStdString(ImportSummary(replaced));
        return std::pair(std::move(replaced), std::move(summary));
    };
}

} // namespace

bool OffersShippedHistory(Game game, const QString& dbPath, const QString& historyPath) {
    return PendingOffer(game, dbPath, historyPath).has_value();
}

bool OfferShippedHistory(Desktop& desktop, QWidget* owner, Game game, const QString& dbPath, const QString& historyPath,
                         const std::function<void()>& imported, const AddedDrawsLines& addedLines) {
    const std::optional<HistoryOffer> offer = PendingOffer(game, dbPath, historyPath);
    if (!offer) {
        return false;
    }
    if (!desktop.Ask(owner, ToQString(offer->question))) {
        FeedSettings().DeclineHistory(dbPath, game, offer->behind);
        return false;
    }
    const ImportResult result = Import(desktop, game, dbPath, historyPath);
    ShowImport(desktop, owner, result, QString::fromStdString(ImportSummary(result)), imported,
               ReplaceWithFile(desktop, game, dbPath, historyPath), addedLines);
    return result.outcome == ImportOutcome::Imported;
}

DrawExchange::DrawExchange(Desktop& desktop, Game game, const QString& dbPath, const QString& historyPath,
                           const FeedLimits& limits, QWidget* window)
    : QObject(window), m_desktop(desktop), m_game(game), m_dbPath(dbPath), m_historyPath(historyPath), m_limits(limits),
      m_window(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // Fields take dropped text themselves; a dropped .csv file, or an old .mdb book,
    // goes to the window instead.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        edit->installEventFilter(this);
    }
}

bool DrawExchange::OffersHistory() const {
    return OffersShippedHistory(m_game, m_dbPath, m_historyPath);
}

void DrawExchange::OfferHistory() {
    OfferShippedHistory(
        m_desktop, m_window, m_game, m_dbPath, m_historyPath, [this] { emit DrawsImported(); }, m_addedDrawsLines);
}

void DrawExchange::ImportCsv() {
    const QString path = m_desktop.ChooseFileToOpen(
        m_window, QStringLiteral("CSVファイルから取り込む"),
        QStringLiteral("CSVファイル (*.csv *.CSV);;以前の形式の記録帳 (*.mdb *.MDB);;すべてのファイル (*)"));
    if (!path.isEmpty()) {
        ImportFile(path);
    }
}

void DrawExchange::ImportFile(const QString& path) {
    const ImportResult result = Import(m_desktop, m_game, m_dbPath, path);
    ShowImport(
        m_desktop, m_window, result, QString::fromStdString(ImportSummary(result)), [this] { emit DrawsImported(); },
        ReplaceWithFile(m_desktop, m_game, m_dbPath, path), m_addedDrawsLines);
}

void DrawExchange::ExportCsv() {
    const QString suggested = QDir::home().filePath(ToQString(TableName(m_game)) + QStringLiteral(".csv"));
    const QString path = m_desktop.ChooseFileToSave(m_window, QStringLiteral("CSVファイルに書き出す"), suggested,
                                                    QStringLiteral("CSVファイル (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    ExportResult result;
    bool written = false;
    {
        WaitCursor wait(m_desktop);
        result = ExportDrawCsv(m_dbPath.toStdString(), m_game);
        written = result.status == ReadStatus::Complete && WriteExportFile(path.toStdString(), result.csv);
    }
    if (result.status != ReadStatus::Complete) {
        m_desktop.ShowMessage(m_window, ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
    } else if (!written) {
        m_desktop.ShowMessage(m_window, QString::fromStdString(FileNotWrittenMessage(path.toStdString())),
                              Desktop::Icon::Stop);
    } else {
        m_desktop.ShowMessage(m_window, QString::fromStdString(ExportedMessage(result.draws)), Desktop::Icon::None);
    }
}

void DrawExchange::UpdateResults() {
    if (m_updating) {
        return;
    }
    m_updating = true;
    const QString url = FeedSettings().Url(m_game);
    const FeedUpdate update =
        m_feedWork ? RunFeedWork(m_window, url, m_feedWork) : RunFeedUpdate(m_window, m_dbPath, m_game, url, m_limits);
    m_updating = false;
    switch (update.outcome) {
    case UpdateOutcome::Canceled:
        return;
    case UpdateOutcome::NotDownloaded:
        m_desktop.ShowMessage(m_window, QString::fromStdString(update.message), Desktop::Icon::Stop);
        return;
    case UpdateOutcome::Imported:
    case UpdateOutcome::Refused:
    case UpdateOutcome::Failed:
        ShowImport(
            m_desktop, m_window, update.import, QString::fromStdString(UpdateSummary(update)),
            [this] { emit DrawsImported(); },
            [this, &update] {
                WaitCursor wait(m_desktop);
                FeedUpdate replaced = ImportFeedBody(m_dbPath.toStdString(), m_game, update.body, AddMode::Replace);
                QString summary = QString::fromStdString(UpdateSummary(replaced));
                return std::pair(std::move(replaced.import), std::move(summary));
            },
            m_addedDrawsLines);
        return;
    }
}

void DrawExchange::EditFeedSettings() {
    CFeedSettingsDlg dialog(m_desktop, m_window);
    m_desktop.RunModal(dialog);
}

QStringList DrawExchange::ImportFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr) {
        return files;
    }
    for (const QUrl& url : mime->urls()) {
        const QString file = url.toLocalFile();
        const QString suffix = QFileInfo(file).suffix();
        if (!file.isEmpty() && (suffix.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0 ||
                                suffix.compare(QStringLiteral("mdb"), Qt::CaseInsensitive) == 0)) {
            files << file;
        }
    }
    return files;
}

bool DrawExchange::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = ImportFiles(drop->mimeData());
        if (files.isEmpty()) {
            break;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            for (const QString& file : files) {
                ImportFile(file);
            }
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace drawbook
