#pragma once

#include "proofread/EndingStyle.h"
#include "proofread/ProofreadChecks.h"
#include "proofread/WordVariants.h"

#include <QString>
#include <QStringView>
#include <vector>

// What one sentence tells the checks, worked out once and kept while the sentence's text is
// unchanged: the findings that need nothing but the sentence, and the numbers the
// whole-text checks and the writer's limits are applied to later. Offsets are code units
// within the sentence.
namespace proofread {

class MorphAnalyzer;
struct Morpheme;

struct LocalFinding {
    Check check;
    int start = 0;
    int length = 0;
    QString reason;
};

struct SentenceFacts {
    std::vector<LocalFinding> local; // 二重助詞, ら抜き言葉, 同じ語の連続
    int length = 0;                  // code units, for 長すぎる文
    int mostCommas = 0; // the most counted 、 between the sentence's start, inner marks and end
    StyledEnding ending;
    std::vector<WordUse> words;
};

// `analyzer` may be null or without a dictionary: the checks that need it are left out.
SentenceFacts analyzeSentence(QStringView sentence, MorphAnalyzer* analyzer,
                              VariantIndex& variants);

// The single checks over analysed words, for the tests.
std::vector<LocalFinding> findDoubledParticles(const std::vector<Morpheme>& words);
std::vector<LocalFinding> findDroppedRa(const std::vector<Morpheme>& words);
std::vector<LocalFinding> findRepeatedWords(const std::vector<Morpheme>& words);
int countCommas(QStringView sentence, const std::vector<Morpheme>& words);

} // namespace proofread
