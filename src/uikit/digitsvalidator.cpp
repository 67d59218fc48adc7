#include "digitsvalidator.h"

namespace tamrik {

QValidator::State DigitsValidator::validate(QString& input, int& /*pos*/) const
{
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
    }
    return Acceptable;
}

}  // namespace tamrik
