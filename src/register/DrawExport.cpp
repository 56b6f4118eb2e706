#include "register/DrawExport.h"

#include "db/DrawListQuery.h"
#include "draw/DigitText.h"
#include "register/CsvFile.h"

namespace drawbook {

ExportResult ExportDrawCsv(const std::string& dbPath, Game game) {
    ExportResult result;
    std::string csv = std::string(kCsvHeader) + '\n';
    const RowsRead read = ForEachDrawRow(dbPath, game, std::string(kAllDrawsClause) + " ORDER BY kaisai",
                                         [&csv](const DrawRowView& row) {
                                             AppendInteger(csv, row.drawNo);
                                             csv += ',';
                                             row.AppendWinningNumber(csv);
                                             for (const std::string_view number : row.numbers) {
                                                 csv += ',';
                                                 AppendCsvField(csv, number);
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
