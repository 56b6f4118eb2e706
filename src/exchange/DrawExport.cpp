#include "exchange/DrawExport.h"

#include "db/DbError.h"
#include "db/DrawListQuery.h"
#include "db/DrawResultsTable.h"
#include "draw/Calendar.h"
#include "draw/DigitText.h"
#include "exchange/CsvFile.h"
#include "platform/FilePath.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace drawbook {

std::string CsvHeader(Game game) {
    std::string header(kCsvHeader);
    header += ",抽せん日";
    for (const Prize prize : PrizesOf(game)) {
        header += ',';
        header += PrizeLabel(prize);
    }
    return header;
}

ExportResult ExportDrawCsv(const std::string& dbPath, Game game) {
    ExportResult result;
    std::optional<ResultsCursor> results;
    try {
        results.emplace(dbPath, game);
    } catch (const DbError& e) {
        result.status = ReadStatus::NotOpened;
        result.error = e.what();
        return result;
    }
    const auto prizes = PrizesOf(game);
    std::string csv = CsvHeader(game) + '\n';
    // Room for about as much text as the book holds, so it is never copied as it
    // grows; room not written takes no memory.
    std::error_code unknownSize;
    const auto bookSize = std::filesystem::file_size(PathFromUtf8(dbPath), unknownSize);
    if (!unknownSize) {
        csv.reserve(std::min<std::uintmax_t>(bookSize, std::uintmax_t{1} << 30));
    }
    const RowsRead read =
        ForEachDrawRow(dbPath, game, std::string(kAllDrawsClause) + " ORDER BY kaisai", [&](const DrawRowView& row) {
            AppendInteger(csv, row.drawNo);
            csv += ',';
            row.AppendWinningNumber(csv);
            for (const std::string_view number : row.numbers) {
                csv += ',';
                AppendCsvField(csv, number);
            }
            const DrawResults known = results->Find(row.drawNo);
            csv += ',';
            if (known.date != 0) {
                csv += DateText(known.date);
            }
            for (const Prize prize : prizes) {
                csv += ',';
                if (known.Yen(prize) != kUnknownYen) {
                    AppendInteger(csv, known.Yen(prize));
                }
            }
            csv += '\n';
        });
    result.status = read.status;
    result.error = read.error;
    if (read.status == ReadStatus::Complete) {
        result.csv = std::move(csv);
        result.draws = read.rows;
    }
    return result;
}

bool WriteExportFile(const std::string& path, std::string_view csv) {
    std::string bytes(kUtf8Bom);
    bytes += csv;
    return WriteWholeFile(path, bytes);
}

std::string ExportedMessage(std::size_t draws) {
    return "　" + std::to_string(draws) + "回分を書き出しました。。";
}

std::string FileNotWrittenMessage(std::string_view path) {
    return "　" + std::string(path) + "に書き出せませんでした。。";
}

} // namespace drawbook
