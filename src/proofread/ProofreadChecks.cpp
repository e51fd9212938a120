#include "proofread/ProofreadChecks.h"

namespace proofread {

QString checkName(Check check) {
    switch (check) {
    case Check::StyleMix:
        return QStringLiteral("文体の混在");
    case Check::DoubledParticle:
        return QStringLiteral("二重助詞");
    case Check::DroppedRa:
        return QStringLiteral("ら抜き言葉");
    case Check::RepeatedWord:
        return QStringLiteral("同じ語の連続");
    case Check::LongSentence:
        return QStringLiteral("長すぎる文");
    case Check::ManyCommas:
        return QStringLiteral("読点の多すぎる文");
    case Check::Variants:
        return QStringLiteral("表記ゆれ");
    }
    return {};
}

bool needsAnalyzer(Check check) {
    return check == Check::DoubledParticle || check == Check::DroppedRa ||
           check == Check::RepeatedWord;
}

} // namespace proofread
