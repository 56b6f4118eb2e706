#include "register/DrawImport.h"

#include "db/DrawDatabase.h"
#include "draw/DigitText.h"
#include "register/CsvFile.h"

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

// Stores what a file holds; a missing database is created first when asked.
ImportResult ImportRead(const std::string& dbPath, Game game, DrawCsv csv, bool createMissingBook) {
    if (!csv.problems.empty()) {
        return Refused(std::move(csv.problems));
    }
    if (createMissingBook) {
        const DatabaseCheck check = PrepareDatabase(dbPath);
        if (check.state == DatabaseState::Unusable) {
            return Failed(check.error);
        }
    }
    return ImportDraws(dbPath, game, csv.draws);
}

} // namespace

ImportResult ImportDraws(const std::string& dbPath, Game game, const std::vector<CsvDraw>& draws) {
    AddResult added = AddDraws(dbPath, game, draws);
    switch (added.outcome) {
    case AddOutcome::Added:
        break;
    case AddOutcome::Conflict: {
        std::vector<std::pair<int, std::string>> conflicts;
        for (const DrawConflict& conflict : added.conflicts) {
            const CsvDraw& draw = draws[conflict.index];
            conflicts.emplace_back(draw.line, LineMessage(draw.line, "第" + std::to_string(draw.drawNo) + "回は当選数字" +
                                                                         conflict.stored + "で登録済みです（ファイルでは" +
                                                                         DigitsText(draw.digits) + "）"));
        }
        return Refused(RefusalReport(std::move(conflicts)));
    }
    case AddOutcome::Failed:
        return Failed(std::move(added.error));
    }
    ImportResult result;
    static_cast<AddCounts&>(result) = added;
    return result;
}

ImportResult ImportDrawCsv(const std::string& dbPath, Game game, std::string_view bytes) {
    return ImportRead(dbPath, game, ReadDrawCsv(game, bytes), false);
}

ImportResult ImportDrawFile(const std::string& dbPath, Game game, const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return Refused({FileNotReadMessage(path)});
    }
    return ImportRead(dbPath, game, ReadDrawCsv(game, *bytes), true);
}

std::string ImportSummary(const ImportResult& result) {
    std::string summary = "　";
    if (result.added == 0) {
        summary += "追加する回はありませんでした。";
    } else {
        summary += std::to_string(result.added) + "回分を追加しました（第" + std::to_string(result.firstAdded) + "回～第" +
                   std::to_string(result.lastAdded) + "回）。";
    }
    if (result.skipped > 0) {
        summary += "登録済みの" + std::to_string(result.skipped) + "回分は飛ばしました。";
    }
    return summary + "。";
}

std::string FileNotReadMessage(std::string_view path) {
    return "　" + std::string(path) + "を開けませんでした。。";
}

} // namespace drawbook
