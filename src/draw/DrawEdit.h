#pragma once

#include "draw/Game.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// One draw as a dialog's fields hold it, every field as text: the edit dialog's
// stored draw, or the registration dialog's next one.
struct DrawEdit {
    std::string drawNo;
    std::vector<std::string> digits; // one per position, highest first
    std::array<std::string, kNumberCount> numbers;
};

// What an empty number field is stored as.
inline constexpr std::string_view kEmptyNumber = "　";

} // namespace drawbook
