#include "game/DigitValidator.h"

#include "draw/DigitText.h"

namespace drawbook {

QValidator::State DigitValidator::validate(QString& input, int& pos) const {
    if (input.isEmpty()) {
        return Acceptable;
    }
    const auto digit = ReadDigit(input.toStdString());
    if (!digit) {
        return Invalid;
    }
    input = QString::number(*digit);
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
}

} // namespace drawbook
