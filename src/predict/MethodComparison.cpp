#include "predict/MethodComparison.h"

namespace drawbook {

std::string ComparisonRow::ReturnText() const {
    return {};
}

double UpperTail(std::span<const double>, int) {
    return 1.0;
}

std::vector<double> HolmAdjusted(std::span<const double> pValues) {
    return {pValues.begin(), pValues.end()};
}

MethodComparison CompareMethods(Game, std::span<const HistoryDraw>, std::span<const StoredResults>, std::size_t,
                                std::size_t) {
    return {};
}

MethodComparison CompareFromDatabase(const std::string&, Game, std::size_t, std::size_t) {
    return {};
}

std::string ComparisonVerdict(std::span<const ComparisonRow>) {
    return {};
}

} // namespace drawbook
