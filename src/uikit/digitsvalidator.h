#pragma once
// A box that takes ASCII digits and nothing else. Plain code rather than a
// regular expression: page 3 is built at start-up, and the expression engine
// would be loaded and kept in memory for these boxes alone.

#include <QValidator>

namespace tamrik {

class DigitsValidator : public QValidator {
public:
    explicit DigitsValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

}  // namespace tamrik
