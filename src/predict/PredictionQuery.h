#pragma once

#include "db/Game.h"
#include "db/ReadStatus.h"
#include "predict/NextDrawPredictor.h"

#include <array>
#include <string>
#include <vector>

namespace drawbook {

struct PredictionResult {
    ReadStatus status = ReadStatus::Complete;
    PredictedNumbers numbers; // only when complete
    std::string error;
    int draws = 0;       // draws the prediction learnt from
    int skippedRows = 0; // rows left out for a missing or impossible digit
};

// "SELECT kaisai,N100,N10,N1 FROM ナンバーズ3 " plus the filter, oldest draw first.
std::string PredictionStatement(Game game, const std::string& filter);

// One draw of the history: its number and its digits, highest position first.
struct HistoryDraw {
    int drawNo = 0;
    std::array<int, NextDrawPredictor::kMaxPositions> digits{};
};

struct DrawHistory {
    ReadStatus status = ReadStatus::Complete;
    std::vector<HistoryDraw> draws; // oldest first; only when complete
    std::string error;
    int skippedRows = 0; // rows left out, as the prediction leaves them out
};

// Every draw with kaisai>0 that the prediction learns from, oldest first.
DrawHistory ReadDrawHistory(const std::string& dbPath, Game game);

// Reads the draws the filter selects and proposes five numbers for the next one.
PredictionResult PredictFromDatabase(const std::string& dbPath, Game game, const std::string& filter);

} // namespace drawbook
