#include "register/DrawExport.h"

#include "db/DrawListQuery.h"
#include "register/CsvFile.h"

namespace drawbook {

ExportResult ExportDrawCsv(const std::string& dbPath, Game game) {
    const DrawListResult list = ReadDrawList(dbPath, game, std::string(kAllDrawsClause) + " ORDER BY kaisai");
    ExportResult result;
    if (list.status != ReadStatus::Complete) {
        result.status = list.status;
        result.error = list.error;
        return result;
    }
    result.csv = std::string(kCsvHeader) + '\n';
    for (const DrawListRow& row : list.rows) {
        result.csv += row.drawNo + ',' + row.winningNumber;
        for (const std::string& number : row.numbers) {
            result.csv += ',' + CsvField(number);
        }
        result.csv += '\n';
    }
    result.draws = list.rows.size();
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
