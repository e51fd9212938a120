#pragma once

#include <QString>
#include <array>

// The checks of 校正, their names as the writer sees them, and the writer's choices.
namespace proofread {

enum class Check {
    StyleMix,        // 文体の混在
    DoubledParticle, // 二重助詞
    DroppedRa,       // ら抜き言葉
    RepeatedWord,    // 同じ語の連続
    LongSentence,    // 長すぎる文
    ManyCommas,      // 読点の多すぎる文
    Variants,        // 表記ゆれ
};
inline constexpr int kCheckCount = 7;

QString checkName(Check check);
// True for the checks that cannot run without the morphological analyser.
bool needsAnalyzer(Check check);

struct ProofreadOptions {
    std::array<bool, kCheckCount> enabled{true, true, true, true, true, true, true};
    int maxSentenceLength = 100; // a longer sentence is a finding
    int maxCommas = 3;           // more 、 than this in one sentence is a finding

    bool isOn(Check c) const { return enabled[std::size_t(c)]; }
    friend bool operator==(const ProofreadOptions&, const ProofreadOptions&) = default;
};

// One place in the document. `line` counts CR LF lines from 0 and `column` is the status bar's
// 文字位置 of the start (the offset without the line breaks before it), so the writer finds
// the same numbers there after a click.
struct Finding {
    Check check;
    int start = 0;
    int length = 0;
    int line = 0;
    int column = 0;
    QString passage;
    QString reason;
};

} // namespace proofread
