#pragma once
// Stands in for the message boxes: records each text instead of blocking, so
// a test asserts exactly which messages a user would have seen.

#include "messageservice.h"

#include <QStringList>
#include <functional>

namespace tamrik::testing {

class RecordingMessages : public MessageService {
public:
    void show(const QString& text) override;

    QStringList texts;
    // Runs inside show(), where a modal box would be open: lets a test check
    // what happens while the user reads the message.
    std::function<void(const QString&)> whileShown;
};

}  // namespace tamrik::testing
