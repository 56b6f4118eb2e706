#include "predict/MethodComparison.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "draw/DigitText.h"
#include "draw/DrawResults.h"
#include "draw/ReturnRate.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <numeric>

namespace drawbook {

namespace {

// A method's tally of one bet while its walk goes on.
struct BetTally {
    BetScore score;
    std::vector<double> chances; // one per scored draw, for the exact tail
    long long tickets = 0;
    long long won = 0;
};

// The prize that pays a ticket of a scored bet.
Prize PrizeOf(Bet bet) {
    return bet == Bet::Straight ? Prize::Straight : bet == Bet::Box ? Prize::Box : Prize::Mini;
}

// What one draw's five numbers did for straight, box and mini, worked out in one
// pass: the chance as ChanceOfWin gives it, whether any wins, and how many were
// sold and won as one ticket each.
struct DrawScore {
    std::array<double, 3> chance{};
    std::array<bool, 3> hit{};
    std::array<int, 3> sold{};
    std::array<int, 3> wins{};
};

DrawScore ScoreDraw(std::size_t positions, const PickSet& picks, std::span<const int> winning) {
    static constexpr std::array<int, 5> kFactorial = {1, 1, 2, 6, 24};
    // Each bet knows a number by a key: the number, its digits ascending, its last two.
    const auto keysOf = [positions](std::span<const int> digits, int& arrangements, bool& allSame) {
        std::array<int, kMaxPositions> sorted{};
        std::copy(digits.begin(), digits.end(), sorted.begin());
        for (std::size_t i = 1; i < positions; ++i) { // insertion sort of the used places
            for (std::size_t j = i; j > 0 && sorted[j - 1] > sorted[j]; --j) {
                std::swap(sorted[j - 1], sorted[j]);
            }
        }
        std::array<int, 3> keys{};
        arrangements = kFactorial[positions];
        std::size_t run = 1;
        for (std::size_t p = 0; p < positions; ++p) {
            keys[0] = keys[0] * 10 + digits[p];
            keys[1] = keys[1] * 10 + sorted[p];
            if (p > 0 && sorted[p] == sorted[p - 1]) {
                arrangements /= static_cast<int>(++run);
            } else {
                run = 1;
            }
        }
        keys[2] = digits[positions - 2] * 10 + digits[positions - 1];
        allSame = sorted[0] == sorted[positions - 1];
        return keys;
    };
    int ignored = 0;
    bool winningSame = false;
    const std::array<int, 3> won = keysOf(winning, ignored, winningSame);
    DrawScore score;
    std::array<std::array<int, kPredictionCount>, 3> seen{};
    std::array<std::size_t, 3> distinct{};
    std::array<int, 3> outcomes{};
    for (const PickDigits& pick : picks) {
        int arrangements = 0;
        bool allSame = false;
        const std::array<int, 3> keys = keysOf(std::span(pick.data(), positions), arrangements, allSame);
        for (std::size_t b = 0; b < 3; ++b) {
            const bool wins = keys[b] == won[b];
            score.hit[b] = score.hit[b] || wins;
            // A box is not sold for a number of one digit.
            if (b != 1 || !allSame) {
                ++score.sold[b];
                score.wins[b] += wins ? 1 : 0;
            }
            const auto known = seen[b].begin() + static_cast<std::ptrdiff_t>(distinct[b]);
            if (std::find(seen[b].begin(), known, keys[b]) == known) {
                seen[b][distinct[b]++] = keys[b];
                outcomes[b] += b == 1 ? arrangements : 1;
            }
        }
    }
    const double all = positions == 3 ? 1000.0 : 10000.0;
    score.chance = {outcomes[0] / all, outcomes[1] / all, outcomes[2] / 100.0};
    return score;
}

std::string Picked(const PickDigits& pick, std::size_t positions) {
    return DigitsText(std::span(pick.data(), positions));
}

} // namespace

std::string ComparisonRow::ReturnText() const {
    return tickets > 0 ? ReturnRateText(won, cost) : std::string();
}

double UpperTail(std::span<const double> chances, int hits) {
    if (hits <= 0) {
        return 1.0;
    }
    if (hits > static_cast<int>(chances.size())) {
        return 0.0;
    }
    // A walk has few distinct chances: the draws of one chance add a binomial
    // count at once. dist[j] is the chance of exactly j successes so far, and
    // dist[top] that of at least top: the counts above it never need telling apart.
    std::map<double, std::size_t> groups; // each chance with its draws
    for (const double chance : chances) {
        ++groups[chance];
    }
    const auto top = static_cast<std::size_t>(hits);
    std::vector<double> dist(top + 1, 0.0);
    dist[0] = 1.0;
    std::vector<double> next(top + 1);
    std::vector<double> pmf;     // the group's chance of exactly i successes
    std::vector<double> atLeast; // and of at least i
    for (const auto& [chance, count] : groups) {
        if (chance <= 0.0) {
            continue;
        }
        // The binomial's probabilities: the most likely count from logarithms, so that
        // long runs do not underflow, and the others by their ratios outwards from it.
        pmf.assign(count + 1, 0.0);
        if (chance >= 1.0) {
            pmf[count] = 1.0;
        } else {
            const double n = static_cast<double>(count);
            const double odds = chance / (1.0 - chance);
            const auto mode = std::min(count, static_cast<std::size_t>((n + 1.0) * chance));
            const double m = static_cast<double>(mode);
            pmf[mode] = std::exp(std::lgamma(n + 1.0) - std::lgamma(m + 1.0) - std::lgamma(n - m + 1.0) +
                                 m * std::log(chance) + (n - m) * std::log1p(-chance));
            for (std::size_t i = mode; i < count; ++i) {
                pmf[i + 1] = pmf[i] * odds * static_cast<double>(count - i) / static_cast<double>(i + 1);
            }
            for (std::size_t i = mode; i > 0; --i) {
                pmf[i - 1] = pmf[i] / odds * static_cast<double>(i) / static_cast<double>(count - i + 1);
            }
        }
        atLeast.assign(count + 2, 0.0);
        for (std::size_t i = count + 1; i-- > 0;) {
            atLeast[i] = atLeast[i + 1] + pmf[i]; // from the smallest terms up
        }
        // Only the counts whose chance did not underflow to nothing add anything.
        const auto nonzero = [](const std::vector<double>& values, std::size_t end) {
            std::size_t low = 0;
            while (low < end && values[low] == 0.0) {
                ++low;
            }
            std::size_t high = end;
            while (high > low && values[high - 1] == 0.0) {
                --high;
            }
            return std::pair{low, high};
        };
        const auto [distLow, distHigh] = nonzero(dist, top);
        const auto [pmfLow, pmfHigh] = nonzero(pmf, count + 1);
        for (std::size_t j = 0; j < top; ++j) {
            double sum = 0.0;
            const std::size_t from = std::max(pmfLow, j >= distHigh ? j - distHigh + 1 : 0);
            const std::size_t to = std::min(pmfHigh, j >= distLow ? j - distLow + 1 : 0);
            for (std::size_t i = from; i < to; ++i) {
                sum += dist[j - i] * pmf[i];
            }
            next[j] = sum;
        }
        next[top] = dist[top];
        for (std::size_t j = 0; j < top; ++j) {
            next[top] += dist[j] * (top - j <= count ? atLeast[top - j] : 0.0);
        }
        std::swap(dist, next);
    }
    return std::min(1.0, dist[top]);
}

std::vector<double> HolmAdjusted(std::span<const double> pValues) {
    const std::size_t n = pValues.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return pValues[a] < pValues[b]; });
    std::vector<double> adjusted(n, 1.0);
    double floor = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        floor = std::max(floor, std::min(1.0, static_cast<double>(n - i) * pValues[order[i]]));
        adjusted[order[i]] = floor;
    }
    return adjusted;
}

MethodComparison CompareMethods(Game game, std::span<const HistoryDraw> history, std::span<const StoredResults> results,
                                std::size_t last, std::size_t keptSteps) {
    const auto positions = static_cast<std::size_t>(Positions(game));
    const auto bets = ScoredBetsOf(game);
    // Draws after the first are scored, and of them only the last `last`.
    const std::size_t scorable = history.empty() ? 0 : history.size() - 1;
    const std::size_t scored = std::min(last, scorable);
    const std::size_t firstScored = history.size() - scored;
    const std::size_t kept = std::min(keptSteps, scored);
    const auto keeps = [&](std::size_t i) {
        return kept == scored || (kept > 0 && (i + 1) * kept / scored != i * kept / scored);
    };

    MethodComparison comparison;
    for (const Method method : AllMethods()) {
        std::vector<BetTally> tallies(bets.size());
        for (std::size_t b = 0; b < bets.size(); ++b) {
            tallies[b].score.bet = bets[b];
            tallies[b].chances.reserve(scored);
        }
        MethodSteps& walk = comparison.walks.emplace_back();
        walk.method = method;
        walk.steps.reserve(kept);
        std::size_t index = 0;
        std::size_t stored = 0; // the results are in draw order, as the walk
        MethodPredictor predictor(method, game);
        for (std::size_t d = 0; d < history.size(); ++d) {
            const HistoryDraw& draw = history[d];
            const std::span<const int> winning(draw.digits.data(), positions);
            if (d >= firstScored && d > 0) {
                const PickSet picks = predictor.Picks();
                while (stored < results.size() && results[stored].drawNo < draw.drawNo) {
                    ++stored;
                }
                const bool paid =
                    stored < results.size() && results[stored].drawNo == draw.drawNo && results[stored].results.Any();
                const KnownPayouts known = paid ? KnownYens(results[stored].results, winning) : KnownPayouts{};
                const DrawScore scoredDraw = ScoreDraw(positions, picks, winning);
                for (std::size_t b = 0; b < tallies.size(); ++b) {
                    BetTally& tally = tallies[b];
                    BetScore& score = tally.score;
                    const double chance = scoredDraw.chance[b];
                    ++score.draws;
                    score.hits += scoredDraw.hit[b] ? 1 : 0;
                    score.expected += chance;
                    score.variance += chance * (1.0 - chance);
                    tally.chances.push_back(chance);
                    if (const auto yen = known[static_cast<std::size_t>(PrizeOf(score.bet))]) {
                        tally.tickets += scoredDraw.sold[b];
                        tally.won += static_cast<long long>(scoredDraw.wins[b]) * *yen;
                    }
                }
                if (keeps(index++)) {
                    BacktestStep& step = walk.steps.emplace_back();
                    step.drawNo = draw.drawNo;
                    for (std::size_t k = 0; k < picks.size(); ++k) {
                        step.picks[k] = Picked(picks[k], positions);
                    }
                    for (const BetTally& tally : tallies) {
                        step.cumulativeHits.push_back(tally.score.hits);
                        step.cumulativeExpected.push_back(tally.score.expected);
                    }
                }
            }
            predictor.AddDraw(winning);
        }
        for (BetTally& tally : tallies) {
            ComparisonRow& row = comparison.rows.emplace_back();
            row.method = method;
            row.score = tally.score;
            row.p = UpperTail(tally.chances, tally.score.hits);
            row.tickets = tally.tickets;
            row.cost = tally.tickets * kTicketYen;
            row.won = tally.won;
        }
    }
    std::vector<double> pValues;
    for (const ComparisonRow& row : comparison.rows) {
        pValues.push_back(row.p);
    }
    const std::vector<double> adjusted = HolmAdjusted(pValues);
    for (std::size_t i = 0; i < adjusted.size(); ++i) {
        comparison.rows[i].adjustedP = adjusted[i];
    }
    return comparison;
}

MethodComparison CompareFromDatabase(const std::string& dbPath, Game game, std::size_t last, std::size_t keptSteps) {
    const DrawHistory history = ReadDrawHistory(dbPath, game);
    MethodComparison failed;
    if (history.status != ReadStatus::Complete) {
        failed.status = history.status;
        failed.error = history.error;
        return failed;
    }
    std::vector<StoredResults> results;
    try {
        Connection connection(dbPath, OpenMode::ReadOnly);
        results = ReadDrawResults(connection, game, INT_MIN, INT_MAX);
    } catch (const DbError& e) {
        failed.status = ReadStatus::Interrupted;
        failed.error = e.what();
        return failed;
    }
    return CompareMethods(game, history.draws, results, last, keptSteps);
}

std::string ComparisonVerdict(std::span<const ComparisonRow> rows) {
    const auto best = std::min_element(rows.begin(), rows.end(), [](const ComparisonRow& a, const ComparisonRow& b) {
        return a.adjustedP < b.adjustedP;
    });
    const double smallest = best == rows.end() ? 1.0 : best->adjustedP;
    if (smallest >= 0.05) {
        return "どの方法も偶然と区別できません（最小の補正p " + ThreeDecimals(smallest) + "）。";
    }
    return "「" + std::string(MethodLabel(best->method)) + "」の" + std::string(BetLabel(best->score.bet)) +
           "は偶然より多く当たっています（補正p " + ThreeDecimals(smallest) + "）が、それでも偶然の可能性はあります。";
}

} // namespace drawbook
