#include "game/SearchClause.h"

#include "draw/DigitText.h"

#include <algorithm>
#include <cstddef>

namespace drawbook {

namespace {

enum Position : std::size_t {
    kThousands,
    kHundreds,
    kTens,
    kUnits,
};

// How the messages name each position.
constexpr std::array<std::string_view, 4> kPositionLabels = {"四", "三", "二", "一"};

constexpr std::string_view kFillOneMessage = "　最低一項目記入してください。。";
constexpr std::string_view kFillAllMessage = "　全項目記入してください。。";
constexpr std::string_view kNotADigitMessage = "　検索する数字は一桁の数字で記入してください。。";

// Half-width digit texts by position; empty where not given.
using Digits = std::array<std::string, 4>;

std::string Straight(Game game, const Digits& d) {
    // The four-digit window opens tens and units without a leading blank.
    static constexpr std::array<std::string_view, 4> kOpening3 = {"", " WHERE N100=", " WHERE N10=", " WHERE N1="};
    static constexpr std::array<std::string_view, 4> kOpening4 = {
        " WHERE N1000=", " WHERE N100=", "WHERE N10=", "WHERE N1="};
    static constexpr std::array<std::string_view, 4> kContinuing = {"", " AND N100=", " AND N10=", " AND N1="};
    const auto& opening = game == Game::Numbers3 ? kOpening3 : kOpening4;
    std::string clause;
    for (std::size_t p = kThousands; p <= kUnits; ++p) {
        if (!d[p].empty()) {
            clause += clause.empty() ? opening[p] : kContinuing[p];
            clause += d[p];
        }
    }
    return clause;
}

std::string Box3(const Digits& d) {
    const std::string& h = d[kHundreds];
    const std::string& t = d[kTens];
    const std::string& u = d[kUnits];
    const auto given = std::count_if(d.begin(), d.end(), [](const std::string& s) { return !s.empty(); });

    if (given == 1) {
        const std::string& x = !h.empty() ? h : !t.empty() ? t : u;
        return "WHERE N100=" + x + " OR N10=" + x + " OR N1=" + x;
    }

    if (given == 2) {
        // Two digits (a, b) in any two positions, in either order.
        std::string clause = "WHERE (N100= ";
        const std::string* a = &u;
        const std::string* b = &t;
        if (u.empty()) {
            a = &h;
            b = &t;
        } else if (t.empty()) {
            a = &h;
            b = &u;
            clause = "WHERE (N100=";
        }
        clause += *a + " AND N10=" + *b + ") OR ( N100=" + *b + " AND N10=" + *a + ") OR ( N100=" + *b +
                  " AND N1=" + *a + ") OR ( N100=" + *a + " AND N1=" + *b + ") OR ( N10=" + *a + " AND N1=" + *b +
                  ") OR ( N10=" + *b + " AND N1=" + *a + ")";
        return clause;
    }

    // Three digits in any of the six orders; a repeated digit repeats its orders.
    const std::array<std::array<const std::string*, 3>, 6> orders = {{
        {&h, &t, &u},
        {&h, &u, &t},
        {&t, &u, &h},
        {&t, &h, &u},
        {&u, &t, &h},
        {&u, &h, &t},
    }};
    std::string clause;
    for (const auto& order : orders) {
        clause += clause.empty() ? "WHERE (N100= " : ") OR ( N100=";
        clause += *order[0] + " AND N10=" + *order[1] + " AND N1=" + *order[2];
    }
    return clause + ")";
}

std::string Box4(const Digits& d) {
    // Every order of the four fields, thousands before hundreds before tens
    // before units, listed lexicographically.
    std::array<std::size_t, 4> order = {kThousands, kHundreds, kTens, kUnits};
    std::string clause;
    do {
        clause += clause.empty() ? "WHERE (N1000= " : ") OR (N1000=";
        clause += d[order[0]] + " AND N100=" + d[order[1]] + " AND N10=" + d[order[2]] + " AND N1=" + d[order[3]];
    } while (std::next_permutation(order.begin(), order.end()));
    return clause + ")";
}

// "　一、三桁目が記入されてません。。": the empty positions, units first.
std::string MissingPositionsMessage(const Digits& d) {
    std::string labels;
    for (std::size_t p = kUnits + 1; p-- > kThousands;) {
        if (d[p].empty()) {
            if (!labels.empty()) {
                labels += "、";
            }
            labels += kPositionLabels[p];
        }
    }
    return "　" + labels + "桁目が記入されてません。。";
}

SearchClause Refuse(std::string_view message) {
    return SearchClause{{}, std::string(message)};
}

} // namespace

SearchClause BuildSearchClause(Game game, SearchMode mode, const SearchFields& fields) {
    Digits d;
    const std::size_t highest = game == Game::Numbers3 ? kHundreds : kThousands;
    int given = 0;
    for (std::size_t p = highest; p <= kUnits; ++p) {
        d[p] = fields[p];
        given += d[p].empty() ? 0 : 1;
    }

    const bool fourDigitBox = game == Game::Numbers4 && mode == SearchMode::Box;
    if (given == 0) {
        return Refuse(fourDigitBox ? kFillAllMessage : kFillOneMessage);
    }
    if (fourDigitBox && given < 4) {
        return Refuse(MissingPositionsMessage(d));
    }
    // Only a digit ever goes into the clause.
    for (std::string& text : d) {
        if (text.empty()) {
            continue;
        }
        const auto digit = ReadDigit(text);
        if (!digit) {
            return Refuse(kNotADigitMessage);
        }
        text = std::to_string(*digit);
    }

    if (mode == SearchMode::Straight) {
        return SearchClause{Straight(game, d), {}};
    }
    return SearchClause{game == Game::Numbers3 ? Box3(d) : Box4(d), {}};
}

} // namespace drawbook
