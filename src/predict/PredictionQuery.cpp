#include "predict/PredictionQuery.h"

namespace drawbook {

PredictionResult PredictFromDatabase(const std::string& dbPath, Game game, const std::string& filter, Method method) {
    const DrawHistory history = ReadDrawHistory(dbPath, game, filter);
    PredictionResult result;
    result.status = history.status;
    result.error = history.error;
    result.skippedRows = history.skippedRows;
    if (history.status != ReadStatus::Complete) {
        return result;
    }
    const int positions = Positions(game);
    MethodPredictor predictor(method, game);
    for (const HistoryDraw& draw : history.draws) {
        predictor.AddDraw(std::span(draw.digits.data(), static_cast<std::size_t>(positions)));
    }
    result.numbers = predictor.Numbers();
    result.draws = predictor.Draws();
    return result;
}

} // namespace drawbook
