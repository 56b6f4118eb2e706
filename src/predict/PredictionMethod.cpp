#include "predict/PredictionMethod.h"

namespace drawbook {

namespace {
constexpr std::array<Method, kMethodCount> kMethods = {Method::Follow, Method::Hot, Method::Cold, Method::Slide,
                                                       Method::Random};
} // namespace

std::span<const Method> AllMethods() {
    return kMethods;
}

std::string_view MethodName(Method) {
    return "follow";
}

std::string_view MethodLabel(Method) {
    return "次に出た数字";
}

std::optional<Method> MethodFromName(std::string_view) {
    return std::nullopt;
}

std::uint64_t SplitMix64(std::uint64_t& state) {
    return state++;
}

MethodPredictor::MethodPredictor(Method method, Game game)
    : m_method(method), m_game(game), m_positions(Positions(game)), m_follow(m_positions) {}

void MethodPredictor::AddDraw(std::span<const int> digits) {
    m_follow.AddDraw(digits);
    ++m_draws;
}

PickSet MethodPredictor::Picks() const {
    return {};
}

PredictedNumbers MethodPredictor::Numbers() const {
    return m_follow.Numbers();
}

} // namespace drawbook
