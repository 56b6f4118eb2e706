#include "exchange/DrawImport.h"

#include "db/DrawDatabase.h"
#include "draw/Calendar.h"
#include "draw/DigitText.h"
#include "draw/DrawNumber.h"
#include "draw/ResultsText.h"
#include "exchange/CsvFile.h"
#include "exchange/ImportReport.h"
#include "exchange/JetBook.h"

#include <optional>
#include <utility>

namespace drawbook {

namespace {

ImportResult Refused(std::vector<std::string> report) {
    ImportResult result;
    result.outcome = ImportOutcome::Refused;
    result.report = std::move(report);
    return result;
}

ImportResult Failed(std::string error) {
    ImportResult result;
    result.outcome = ImportOutcome::Failed;
    result.error = std::move(error);
    return result;
}

// "第1回は当選数字1149で登録済みです（ファイルでは1148）"
std::string ConflictText(const CsvDraw& draw, const DrawConflict& conflict) {
    std::string what;
    std::string file;
    switch (conflict.field) {
    case DrawField::Digits:
        what = "当選数字";
        file = DigitsText(draw.digits);
        break;
    case DrawField::Date:
        what = "抽せん日";
        file = DateText(draw.results.date);
        break;
    case DrawField::Payout:
        what = std::string(PrizeLabel(conflict.prize)) + "の当せん金";
        file = YenText(draw.results.Yen(conflict.prize));
        break;
    }
    return "第" + std::to_string(draw.drawNo) + "回は" + what + conflict.stored + "で登録済みです（ファイルでは" +
           file + "）";
}

} // namespace

ImportResult ImportRead(const std::string& dbPath, Game game, DrawCsv csv, bool createMissingBook,
                        std::string_view refusedMessage, AddMode mode) {
    bool created = false;
    if (csv.problems.empty() && createMissingBook) {
        const DatabaseCheck check = PrepareDatabase(dbPath);
        if (check.state == DatabaseState::Unusable) {
            return Failed(check.error);
        }
        created = check.state == DatabaseState::Created;
    }
    ImportResult result =
        csv.problems.empty() ? ImportDraws(dbPath, game, csv.draws, mode) : Refused(std::move(csv.problems));
    // A book made for draws that did not go in, as on a full disk, is not left behind.
    if (created && result.outcome != ImportOutcome::Imported) {
        RemoveNewDatabase(dbPath);
    }
    if (result.outcome == ImportOutcome::Refused && !result.report.empty()) {
        result.report[0] = std::string(refusedMessage);
    }
    return result;
}

ImportResult ImportDraws(const std::string& dbPath, Game game, const std::vector<CsvDraw>& draws, AddMode mode) {
    AddResult added = AddDraws(dbPath, game, draws, mode);
    switch (added.outcome) {
    case AddOutcome::Added:
        break;
    case AddOutcome::Conflict: {
        std::vector<std::pair<int, std::string>> conflicts;
        for (const DrawConflict& conflict : added.conflicts) {
            const CsvDraw& draw = draws[conflict.index];
            conflicts.emplace_back(draw.line, LineMessage(draw.line, ConflictText(draw, conflict)));
        }
        ImportResult refused = Refused(RefusalReport(std::move(conflicts)));
        refused.replaceable = added.replaceable;
        if (added.replaceable) {
            // The conflicts come in draw order, a draw's copies side by side.
            for (const DrawConflict& conflict : added.conflicts) {
                const CsvDraw& draw = draws[conflict.index];
                if (refused.replaceableDraws.empty() || refused.replaceableDraws.back().drawNo != draw.drawNo) {
                    refused.replaceableDraws.push_back({draw.drawNo, DigitsText(draw.digits)});
                }
            }
        }
        return refused;
    }
    case AddOutcome::Failed:
        return Failed(std::move(added.error));
    }
    ImportResult result;
    static_cast<AddCounts&>(result) = added;
    return result;
}

ImportResult ImportDrawCsv(const std::string& dbPath, Game game, std::string_view bytes, AddMode mode) {
    return ImportRead(dbPath, game, ReadDrawCsv(game, bytes), false, kCsvRefusedMessage, mode);
}

ImportResult ImportDrawFile(const std::string& dbPath, Game game, const std::string& path, AddMode mode) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return Refused({FileNotReadMessage(path)});
    }
    if (IsJetBytes(*bytes)) {
        return ImportJetFile(dbPath, game, path, mode);
    }
    return ImportRead(dbPath, game, ReadDrawCsv(game, *bytes), true, kCsvRefusedMessage, mode);
}

ImportResult ImportJetFile(const std::string& dbPath, Game game, const std::string& path, AddMode mode) {
    const JetBook book = ReadJetBook(path);
    if (book.noReader) {
        return Refused({std::string(kNoJetReaderMessage)});
    }
    if (!book.read) {
        return Refused({std::string(kJetRefusedMessage), "　" + path + "を読めませんでした（" + book.error + "）。。"});
    }
    // Draws only: rows with kaisai 0 or below hold the old program's placeholders.
    const auto positions = static_cast<std::size_t>(Positions(game));
    DrawCsv read; // the draws as a file gives them, viewing the book's texts
    std::vector<std::pair<int, std::string>> problems;
    const std::vector<JetRow>& rows = book.Rows(game);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const JetRow& row = rows[r];
        const int line = static_cast<int>(r) + 1;
        if (!row.kaisai || *row.kaisai <= 0) {
            continue;
        }
        if (*row.kaisai > kLastDrawNo) {
            problems.emplace_back(line, LineMessage(line, DrawNoOutOfRangeText(std::to_string(*row.kaisai))));
            continue;
        }
        NewDraw draw;
        draw.drawNo = static_cast<int>(*row.kaisai);
        draw.line = line;
        for (std::size_t p = 0; p < positions; ++p) {
            if (row.digits[p] && *row.digits[p] >= 0 && *row.digits[p] <= 9) {
                draw.digits.push_back(static_cast<int>(*row.digits[p]));
            }
        }
        if (draw.digits.size() != positions) {
            problems.emplace_back(line, LineMessage(line, "第" + std::to_string(*row.kaisai) + "回の当選数字が" +
                                                              std::string(Describe(game).digitsLabel) +
                                                              "の数字ではありません"));
            continue;
        }
        draw.numbers.emplace();
        for (std::size_t n = 0; n < kNumberCount; ++n) {
            (*draw.numbers)[n] = row.numbers[n] ? std::string_view(*row.numbers[n]) : std::string_view();
        }
        draw.hitMarker = row.atari ? std::string_view(*row.atari) : std::string_view();
        read.draws.push_back(draw);
    }
    if (!problems.empty()) {
        read.problems = RefusalReport(std::move(problems));
    } else if (read.draws.empty()) {
        read.problems = {std::string(kCsvRefusedMessage), std::string(kNoDrawsMessage)};
    }
    return ImportRead(dbPath, game, std::move(read), true, kJetRefusedMessage, mode);
}

std::string ImportSummary(const ImportResult& result) {
    std::string summary = "　";
    if (result.added == 0) {
        summary += "追加する回はありませんでした。";
    } else {
        summary += std::to_string(result.added) + "回分を追加しました（第" + std::to_string(result.firstAdded) +
                   "回～第" + std::to_string(result.lastAdded) + "回）。";
    }
    if (result.skipped > 0) {
        summary += "登録済みの" + std::to_string(result.skipped) + "回分は飛ばしました。";
    }
    if (result.completed > 0) {
        summary += "抽せん日・当せん金を" + std::to_string(result.completed) + "回分に記録しました。";
    }
    return summary + ReplacedText(result) + "。";
}

std::string ReplacedText(const AddCounts& counts) {
    if (counts.replaced == 0) {
        return {};
    }
    return "登録済みの" + std::to_string(counts.replaced) + "回分をファイルの内容で置き換えました。";
}

std::string ReplaceQuestion(const ImportResult& result) {
    return "　ファイルの内容で置き換えますか？\n\n　" + NamedDrawsText(result.replaceableDraws) +
           "の当選数字・抽せん日・当せん金をファイルのとおりにして、ほかの回も取り込みます。予想数字はそのまま残ります"
           "。。";
}

std::string FileNotReadMessage(std::string_view path) {
    return "　" + std::string(path) + "を開けませんでした。。";
}

} // namespace drawbook
