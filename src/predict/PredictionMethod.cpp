#include "predict/PredictionMethod.h"

#include <algorithm>
#include <stdexcept>

namespace drawbook {

namespace {

constexpr std::array<Method, kMethodCount> kMethods = {Method::Follow, Method::Hot, Method::Cold, Method::Slide,
                                                       Method::Random};
constexpr std::array<std::string_view, kMethodCount> kNames = {"follow", "hot", "cold", "slide", "random"};
constexpr std::array<std::string_view, kMethodCount> kLabels = {"次に出た数字", "よく出る数字", "出ていない数字",
                                                                "引っ張り・スライド", "無作為（比べるための基準）"};

using Ranked = std::array<int, kPredictionCount>;

// The five digits of the largest keys; of equal keys, the larger digit, as the
// prediction has always ranked them.
Ranked TopFive(const std::array<int, 10>& keys) {
    // A key of value and digit orders both at once; no value reaches 2^27.
    std::array<int, 10> ordered{};
    for (std::size_t digit = 0; digit < ordered.size(); ++digit) {
        ordered[digit] = keys[digit] * 16 + static_cast<int>(digit);
    }
    Ranked ranked{};
    for (int& rank : ranked) {
        const auto best = std::max_element(ordered.begin(), ordered.end());
        rank = *best & 15;
        *best = -1;
    }
    return ranked;
}

} // namespace

std::span<const Method> AllMethods() {
    return kMethods;
}

std::string_view MethodName(Method method) {
    return kNames[static_cast<std::size_t>(method)];
}

std::string_view MethodLabel(Method method) {
    return kLabels[static_cast<std::size_t>(method)];
}

std::optional<Method> MethodFromName(std::string_view name) {
    const auto found = std::find(kNames.begin(), kNames.end(), name);
    if (found == kNames.end()) {
        return std::nullopt;
    }
    return kMethods[static_cast<std::size_t>(found - kNames.begin())];
}

std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

MethodPredictor::MethodPredictor(Method method, Game game)
    : m_method(method), m_positions(Positions(game)), m_follow(m_positions) {
    for (auto& seen : m_lastSeen) {
        seen.fill(-1);
    }
}

void MethodPredictor::AddDraw(std::span<const int> digits) {
    if (static_cast<int>(digits.size()) != m_positions ||
        std::any_of(digits.begin(), digits.end(), [](int d) { return d < 0 || d > 9; })) {
        throw std::invalid_argument("a draw has one digit 0-9 per position");
    }
    const auto positions = static_cast<std::size_t>(m_positions);
    switch (m_method) {
    case Method::Follow:
        m_follow.AddDraw(digits);
        break;
    case Method::Hot: {
        // The draw that leaves the window gives back its counts.
        const auto slot = static_cast<std::size_t>(m_draws % kHotWindow);
        if (m_window.size() < static_cast<std::size_t>(kHotWindow)) {
            m_window.emplace_back();
        } else {
            for (std::size_t p = 0; p < positions; ++p) {
                --m_hotCounts[p][m_window[slot][p]];
            }
        }
        for (std::size_t p = 0; p < positions; ++p) {
            m_window[slot][p] = static_cast<std::uint8_t>(digits[p]);
            ++m_hotCounts[p][static_cast<std::size_t>(digits[p])];
        }
        break;
    }
    case Method::Cold:
        for (std::size_t p = 0; p < positions; ++p) {
            m_lastSeen[p][static_cast<std::size_t>(digits[p])] = m_draws;
        }
        break;
    case Method::Slide:
    case Method::Random:
        break;
    }
    for (std::size_t p = 0; p < positions; ++p) {
        m_latest[p] = digits[p];
    }
    ++m_draws;
}

PickSet MethodPredictor::Picks() const {
    PickSet picks{};
    const auto positions = static_cast<std::size_t>(m_positions);
    if (m_method == Method::Random) {
        // Number by number, position by position from the highest.
        std::uint64_t state =
            static_cast<std::uint64_t>(m_positions) * 1'000'000 + static_cast<std::uint64_t>(m_draws) + 1;
        for (PickDigits& pick : picks) {
            for (std::size_t p = 0; p < positions; ++p) {
                pick[p] = static_cast<int>(SplitMix64(state) % 10);
            }
        }
        return picks;
    }
    for (std::size_t p = 0; p < positions; ++p) {
        Ranked ranked{};
        switch (m_method) {
        case Method::Follow:
            ranked = m_follow.RankedDigits(static_cast<int>(p));
            break;
        case Method::Hot:
            ranked = TopFive(m_hotCounts[p]);
            break;
        case Method::Cold: {
            // Draws since the digit last came; one that never came counts every draw read.
            std::array<int, 10> since{};
            for (std::size_t digit = 0; digit < since.size(); ++digit) {
                const int seen = m_lastSeen[p][digit];
                since[digit] = seen < 0 ? m_draws : m_draws - 1 - seen;
            }
            ranked = TopFive(since);
            break;
        }
        case Method::Slide: {
            const int latest = m_latest[p];
            ranked = {latest, (latest + 1) % 10, (latest + 9) % 10, (latest + 2) % 10, (latest + 8) % 10};
            break;
        }
        case Method::Random:
            break;
        }
        for (std::size_t k = 0; k < picks.size(); ++k) {
            picks[k][p] = ranked[k];
        }
    }
    return picks;
}

PredictedNumbers MethodPredictor::Numbers() const {
    if (m_method == Method::Follow) {
        return m_follow.Numbers();
    }
    PredictedNumbers numbers;
    const PickSet picks = Picks();
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        for (int p = 0; p < m_positions; ++p) {
            numbers[k] += std::to_string(picks[k][static_cast<std::size_t>(p)]);
        }
    }
    return numbers;
}

} // namespace drawbook
