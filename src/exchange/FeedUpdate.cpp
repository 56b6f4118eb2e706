#include "exchange/FeedUpdate.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

#include <optional>
#include <utility>

namespace drawbook {

namespace {

// The book's last draw; 0 when it holds none or cannot be read.
int LastStoredDraw(const std::string& dbPath, Game game) {
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        Statement last(connection, "SELECT max(kaisai) FROM " + std::string(TableName(game)));
        return last.Step() ? static_cast<int>(last.ColumnInteger(0).value_or(0)) : 0;
    } catch (const DbError&) {
        return 0;
    }
}

FeedUpdate Imported(ImportResult import, int lastDrawNo) {
    FeedUpdate update;
    switch (import.outcome) {
    case ImportOutcome::Imported:
        update.outcome = UpdateOutcome::Imported;
        break;
    case ImportOutcome::Refused:
        update.outcome = UpdateOutcome::Refused;
        break;
    case ImportOutcome::Failed:
        update.outcome = UpdateOutcome::Failed;
        break;
    }
    update.import = std::move(import);
    update.lastDrawNo = lastDrawNo;
    return update;
}

} // namespace

std::string_view BundledHistoryFileName(Game game) {
    return game == Game::Numbers3 ? "numbers3_results.csv" : "numbers4_results.csv";
}

std::string BundledHistoryQuestion(Game game) {
    return "　過去の当せん番号（第1回～第" + std::to_string(kBundledLastDraw) +
           "回）を取り込みますか？\n\n　この記録帳には、まだ" + std::string(GameLabel(game)) +
           "の回がありません。プログラムに付いている当せん番号を、抽せん日・当せん金とともに取り込みます。。";
}

FeedUpdate UpdateFromFeed(const std::string& dbPath, Game game, const std::string& url, const FeedLimits& limits,
                          const FeedProgress& progress, AddMode mode) {
    FeedUpdate update;
    const FeedDownload download = DownloadFeed(url, limits, progress);
    std::optional<std::string> problem;
    if (download.outcome == DownloadOutcome::Downloaded) {
        problem = FeedBodyProblem(download.body);
    } else if (download.outcome == DownloadOutcome::Failed) {
        problem = download.reason;
    }
    if (problem) {
        update.outcome = UpdateOutcome::NotDownloaded;
        update.message = NotDownloadedMessage(url, *problem);
        return update;
    }
    if (download.outcome == DownloadOutcome::Canceled ||
        (progress && !progress(download.body.size(), download.body.size()))) {
        update.outcome = UpdateOutcome::Canceled;
        return update;
    }
    return ImportFeedBody(dbPath, game, download.body, mode);
}

FeedUpdate ImportFeedBody(const std::string& dbPath, Game game, std::string_view body, AddMode mode) {
    FeedUpdate update = Imported(
        ImportRead(dbPath, game, ReadDrawCsv(game, body, CsvSource::Download), true, kFeedRefusedMessage, mode), 0);
    if (update.outcome == UpdateOutcome::Imported) {
        update.lastDrawNo = LastStoredDraw(dbPath, game);
    } else if (update.outcome == UpdateOutcome::Refused) {
        update.body = body;
    }
    return update;
}

std::string UpdateSummary(const FeedUpdate& update) {
    const ImportResult& counts = update.import;
    std::string summary = "　";
    if (counts.added == 0) {
        summary += "記録帳は最新です（第" + std::to_string(update.lastDrawNo) + "回まで登録済み）。";
    } else if (counts.added == 1) {
        summary += "第" + std::to_string(counts.firstAdded) + "回の1回分を追加しました。";
    } else {
        summary += "第" + std::to_string(counts.firstAdded) + "回～第" + std::to_string(counts.lastAdded) + "回の" +
                   std::to_string(counts.added) + "回分を追加しました。";
    }
    if (counts.completed > counts.added) {
        summary +=
            "登録済みの" + std::to_string(counts.completed - counts.added) + "回分に抽せん日・当せん金を記録しました。";
    }
    return summary + ReplacedText(counts) + "。";
}

} // namespace drawbook
