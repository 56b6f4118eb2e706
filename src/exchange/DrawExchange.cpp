#include "exchange/DrawExchange.h"

#include "db/DrawStore.h"
#include "db/ReadStatus.h"
#include "exchange/DrawExport.h"
#include "exchange/DrawImport.h"
#include "exchange/FeedSettings.h"
#include "exchange/FeedSettingsDlg.h"
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

namespace drawbook {

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
    return !m_historyPath.isEmpty() && QFileInfo::exists(m_historyPath) &&
           !FeedSettings().HistoryDeclined(m_dbPath, m_game);
}

void DrawExchange::OfferHistory() {
    if (m_desktop.Ask(m_window, ToQString(BundledHistoryQuestion(m_game)))) {
        ImportFile(m_historyPath);
    } else {
        FeedSettings().DeclineHistory(m_dbPath, m_game);
    }
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
    ImportResult result;
    {
        WaitCursor wait(m_desktop);
        result = ImportDrawFile(m_dbPath.toStdString(), m_game, path.toStdString());
    }
    ShowImport(result, QString::fromStdString(ImportSummary(result)), [this, path] {
        WaitCursor wait(m_desktop);
        ImportResult replaced = ImportDrawFile(m_dbPath.toStdString(), m_game, path.toStdString(), AddMode::Replace);
        QString summary = QString::fromStdString(ImportSummary(replaced));
        return std::pair(std::move(replaced), std::move(summary));
    });
}

void DrawExchange::ShowImport(const ImportResult& result, const QString& summary, const Replacement& replace) {
    switch (result.outcome) {
    case ImportOutcome::Imported:
        emit DrawsImported();
        m_desktop.ShowMessage(m_window, summary, Desktop::Icon::None);
        return;
    case ImportOutcome::Refused: {
        QStringList report;
        for (const std::string& line : result.report) {
            report << QString::fromStdString(line);
        }
        m_desktop.ShowMessage(m_window, report.join(QLatin1Char('\n')), Desktop::Icon::Stop);
        if (result.replaceable &&
            m_desktop.Ask(m_window, QString::fromStdString(ReplaceQuestion(result)), Desktop::Answer::No)) {
            const auto [replaced, replacedSummary] = replace();
            ShowImport(replaced, replacedSummary, replace);
        }
        return;
    }
    case ImportOutcome::Failed:
        m_desktop.ShowMessage(m_window, ToQString(kStoreFailedMessage), Desktop::Icon::Stop);
        return;
    }
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
        ShowImport(update.import, QString::fromStdString(UpdateSummary(update)), [this, &update] {
            WaitCursor wait(m_desktop);
            FeedUpdate replaced = ImportFeedBody(m_dbPath.toStdString(), m_game, update.body, AddMode::Replace);
            QString summary = QString::fromStdString(UpdateSummary(replaced));
            return std::pair(std::move(replaced.import), std::move(summary));
        });
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
