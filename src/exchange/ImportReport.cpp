#include "exchange/ImportReport.h"

#include <algorithm>

namespace drawbook {

namespace {

constexpr std::size_t kReportedLines = 5;

} // namespace

std::string LineMessage(int line, std::string_view text) {
    return "　" + std::to_string(line) + "行目：" + std::string(text) + "。。";
}

std::vector<std::string> RefusalReport(std::vector<std::pair<int, std::string>> problems, std::string reason) {
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> report = {std::string(kCsvRefusedMessage)};
    if (!reason.empty()) {
        report.push_back(std::move(reason));
    }
    for (std::size_t i = 0; i < problems.size() && i < kReportedLines; ++i) {
        report.push_back(problems[i].second);
    }
    if (problems.size() > kReportedLines) {
        report.push_back("　ほかに" + std::to_string(problems.size() - kReportedLines) + "行あります。。");
    }
    return report;
}

} // namespace drawbook
