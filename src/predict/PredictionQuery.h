#pragma once

#include "db/DrawHistory.h"
#include "predict/NextDrawPredictor.h"
#include "predict/PredictionMethod.h"

#include <string>

namespace drawbook {

struct PredictionResult {
    ReadStatus status = ReadStatus::Complete;
    PredictedNumbers numbers; // only when complete
    std::string error;
    int draws = 0;       // draws the prediction learnt from
    int skippedRows = 0; // rows left out for a missing or impossible digit
};

// Reads the draws the filter selects and proposes five numbers for the next one by the method.
PredictionResult PredictFromDatabase(const std::string& dbPath, Game game, const std::string& filter,
                                     Method method = Method::Follow);

} // namespace drawbook
