#pragma once

#include <QValidator>

namespace drawbook {

// Lets a field hold one digit only: a full-width digit becomes the half-width
// one, anything else is refused as it is typed or pasted.
class DigitValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};

} // namespace drawbook
