#include "chancestyle.h"

#include "qtext.h"

namespace tamrik {

QColor chanceColour(Chance chance)
{
    switch (chance) {
    case Chance::AboveMax: return {0xB3, 0xDD, 0xF5};      // sky blue
    case Chance::Clear: return {0xB2, 0xE3, 0xD4};         // bluish green
    case Chance::Borderline: return {0xF7, 0xE3, 0xA6};    // orange-yellow
    case Chance::Below: return {0xF2, 0xBF, 0x99};         // vermillion
    case Chance::FailsMinimum: return {0xEB, 0xC7, 0xDC};  // reddish purple
    case Chance::MissingScores: return {0xE6, 0xE6, 0xE6};
    case Chance::NoData: break;
    }
    return {0xF4, 0xF4, 0xF4};
}

QString chanceSymbol(Chance chance)
{
    switch (chance) {
    case Chance::AboveMax: return QStringLiteral("▲▲");
    case Chance::Clear: return QStringLiteral("▲");
    case Chance::Borderline: return QStringLiteral("◆");
    case Chance::Below: return QStringLiteral("▼");
    case Chance::FailsMinimum: return QStringLiteral("✕");
    case Chance::MissingScores: return QStringLiteral("…");
    case Chance::NoData: break;
    }
    return QStringLiteral("?");
}

QString chanceText(Chance chance) { return chanceSymbol(chance) + QLatin1Char(' ') + toQString(chanceLabel(chance)); }

}  // namespace tamrik
