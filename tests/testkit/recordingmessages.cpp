#include "recordingmessages.h"

namespace tamrik::testing {

void RecordingMessages::show(const QString& text)
{
    texts.append(text);
    if (whileShown)
        whileShown(text);
}

}  // namespace tamrik::testing
