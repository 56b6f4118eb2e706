#include "register/DrawExport.h"

#include "db/DrawListQuery.h"
#include "db/DrawResultsTable.h"
#include "draw/DigitText.h"
#include "register/CsvFile.h"

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
    ResultsRead results = ReadDrawResults(dbPath, game);
    if (results.status != ReadStatus::Complete) {
        result.status = results.status;
        result.error = std::move(results.error);
        return result;
    }
    const auto prizes = PrizesOf(game);
    std::string csv = CsvHeader(game) + '\n';
    std::size_t next = 0;
    const RowsRead read = ForEachDrawRow(dbPath, game, std::string(kAllDrawsClause) + " ORDER BY kaisai",
                                         [&](const DrawRowView& row) {
                                             AppendInteger(csv, row.drawNo);
                                             csv += ',';
                                             row.AppendWinningNumber(csv);
                                             for (const std::string_view number : row.numbers) {
                                                 csv += ',';
                                                 AppendCsvField(csv, number);
                                             }
                                             // The results are in draw order too.
                                             while (next < results.draws.size() && results.draws[next].drawNo < row.drawNo) {
                                                 ++next;
                                             }
                                             DrawResults known;
                                             if (next < results.draws.size() && results.draws[next].drawNo == row.drawNo) {
                                                 known = results.draws[next].results;
                                             }
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
