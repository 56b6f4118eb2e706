#pragma once

#include <string>

namespace drawbook {

// 回収率: won over cost in percent with one decimal, a half rounded up; "0.0" when
// nothing was bought.
std::string ReturnRateText(long long won, long long cost);

} // namespace drawbook
