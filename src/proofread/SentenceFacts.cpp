#include "proofread/SentenceFacts.h"

#include "proofread/MorphAnalyzer.h"
#include "proofread/SentenceSplitter.h"

#include <map>

namespace proofread {

namespace {

bool isParticle(const Morpheme& m) {
    return m.pos.startsWith(u"助詞");
}
bool isBracket(const Morpheme& m) {
    return (m.pos == u"記号" && m.pos1.startsWith(u"括弧")) || m.surface == u"(" ||
           m.surface == u")";
}
bool isSeparator(const Morpheme& m) {
    static const QStringList separators{u"."_qs, u"．"_qs, u"。"_qs, u"?"_qs,
                                        u"!"_qs, u"？"_qs, u"！"_qs};
    return separators.contains(m.surface);
}
bool isComma(const Morpheme& m) {
    return (m.surface == u"、" || m.surface == u"，") && (m.pos == u"名詞" || m.pos == u"記号");
}

// Particles that follow each other read as one ("には"), so they are joined first; the
// joined word keeps the first one's finer classes, as the established rule does.
struct Unit {
    int start = 0;
    int end = 0;
    int firstWord = 0; // index of its first morpheme
    QString surface;
    QString pos;
    QString pos1;
    QString finer; // 品詞細分類2 and 3 of the first morpheme
    bool particle = false;

    QString key() const { return surface + u':' + pos + u'.' + pos1 + u'.' + finer; }
};

std::vector<Unit> joinParticles(const std::vector<Morpheme>& words) {
    std::vector<Unit> units;
    for (int i = 0; i < int(words.size()); ++i) {
        const Morpheme& m = words[std::size_t(i)];
        if (isParticle(m) && !units.empty() && units.back().particle) {
            Unit& u = units.back();
            u.surface += m.surface;
            u.pos += m.pos;
            u.pos1 += m.surface;
            u.end = m.start + m.length;
            continue;
        }
        units.push_back({m.start, m.start + m.length, i, m.surface, m.pos, m.pos1,
                         m.pos2 + u'.' + m.pos3, isParticle(m)});
    }
    return units;
}

bool isAllowedRepetition(const std::vector<const Unit*>& group,
                         const std::vector<Morpheme>& words) {
    const Unit& first = *group.front();
    if (first.pos1 == u"連体化") return true;                           // の
    if (first.pos1 == u"格助詞" && first.surface == u"を") return true; // を
    if (first.pos1 == u"接続助詞" && first.surface == u"て") return true;
    if (group.size() == 2 && group[0]->pos1 == u"並立助詞" && group[1]->pos1 == u"並立助詞")
        return true; // 登ったり降りたり
    if (group.size() == 2 && group[0]->surface == u"か" && group[1]->surface == u"か") {
        const int before = group[1]->firstWord - 1; // 〜かどうか
        if (before >= 0 && words[std::size_t(before)].surface == u"どう") return true;
    }
    return false;
}

} // namespace

std::vector<LocalFinding> findDoubledParticles(const std::vector<Morpheme>& words) {
    const std::vector<Unit> units = joinParticles(words);
    // Particles, 、, brackets and inner full stops all count as steps between two particles:
    // a comma or a quotation between them makes the pair read as two phrases.
    std::vector<const Unit*> countable;
    for (const Unit& u : units) {
        const Morpheme& m = words[std::size_t(u.firstWord)];
        if (u.particle || isBracket(m) || isSeparator(m) || isComma(m)) countable.push_back(&u);
    }
    std::map<QString, std::vector<int>> groups; // key → indices into countable
    for (int i = 0; i < int(countable.size()); ++i)
        if (countable[std::size_t(i)]->particle)
            groups[countable[std::size_t(i)]->key()].push_back(i);
    std::vector<LocalFinding> out;
    for (const auto& [key, indices] : groups) {
        if (indices.size() < 2) continue;
        std::vector<const Unit*> group;
        for (int i : indices)
            group.push_back(countable[std::size_t(i)]);
        if (isAllowedRepetition(group, words)) continue;
        for (std::size_t k = 1; k < indices.size(); ++k) {
            if (indices[k] - indices[k - 1] > 1) continue;
            const Unit& a = *group[k - 1];
            const Unit& b = *group[k];
            out.push_back(
                {Check::DoubledParticle, a.start, b.end - a.start,
                 QStringLiteral("一文に助詞「%1」が続けて使われています").arg(b.surface)});
        }
    }
    return out;
}

std::vector<LocalFinding> findDroppedRa(const std::vector<Morpheme>& words) {
    std::vector<LocalFinding> out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Morpheme& m = words[i];
        if (m.pos != u"動詞") continue;
        // The dictionary has a few ら抜き forms as words of their own.
        if (m.baseForm == u"来れる" || m.baseForm == u"見れる") {
            const qsizetype re = m.surface.indexOf(u'れ');
            if (re <= 0) continue;
            out.push_back(
                {Check::DroppedRa, m.start, int(re) + 1,
                 QStringLiteral("ら抜き言葉です（「%1られ」）").arg(m.surface.first(re))});
            continue;
        }
        if (i + 1 >= words.size()) continue;
        const Morpheme& next = words[i + 1];
        const bool stemTakesRareru =
            m.pos1 == u"自立" && m.conjugationForm == u"未然形" &&
            (m.conjugationType == u"一段" || m.conjugationType.startsWith(u"カ変"));
        if (stemTakesRareru && next.pos == u"動詞" && next.pos1 == u"接尾" &&
            next.baseForm == u"れる" && next.start == m.start + m.length) {
            out.push_back({Check::DroppedRa, m.start, m.length + 1,
                           QStringLiteral("ら抜き言葉です（「%1られ」）").arg(m.surface)});
        }
    }
    return out;
}

std::vector<LocalFinding> findRepeatedWords(const std::vector<Morpheme>& words) {
    std::vector<LocalFinding> out;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const Morpheme& a = words[i - 1];
        const Morpheme& b = words[i];
        if (a.surface != b.surface) continue;
        // Where the language itself repeats: numbers (九九), katakana sound words (ドキドキ),
        // reduplicated adverbs and interjections (もっともっと, はいはい), and marks (……).
        if (b.pos == u"記号" || b.pos == u"副詞" || b.pos == u"感動詞") continue;
        if (a.pos == u"名詞" && a.pos1 == u"数" && b.pos1 == u"数") continue;
        if (std::all_of(b.surface.begin(), b.surface.end(), isKatakana)) continue;
        out.push_back({Check::RepeatedWord, a.start, b.start + b.length - a.start,
                       QStringLiteral("「%1」が2回続いています").arg(b.surface)});
    }
    return out;
}

int countCommas(QStringView sentence, const std::vector<Morpheme>& words) {
    int most = 0;
    int run = 0;
    auto count = [&] { most = std::max(most, ++run); };
    if (words.empty()) {
        for (QChar c : sentence) {
            if (c == u'、')
                count();
            else if (isSentenceEndMark(c))
                run = 0;
        }
        return most;
    }
    // A 、 between two nouns lists things (名詞、名詞、名詞) and is not counted; brackets
    // next to it are looked through.
    auto neighbour = [&](int i, int step) -> const Morpheme* {
        for (i += step; i >= 0 && i < int(words.size()); i += step)
            if (!isBracket(words[std::size_t(i)])) return &words[std::size_t(i)];
        return nullptr;
    };
    for (int i = 0; i < int(words.size()); ++i) {
        const Morpheme& m = words[std::size_t(i)];
        if (m.surface == u"、") {
            const Morpheme* before = neighbour(i, -1);
            const Morpheme* after = neighbour(i, +1);
            if (!(before && after && before->pos == u"名詞" && after->pos == u"名詞")) count();
        } else if (m.surface.size() == 1 && isSentenceEndMark(m.surface[0])) {
            run = 0;
        }
    }
    return most;
}

namespace {

bool isReadingWord(const Morpheme& m) {
    if (m.pos == u"動詞" || m.pos == u"形容詞") return m.pos1 == u"自立";
    if (m.pos == u"副詞") return true;
    if (m.pos == u"名詞")
        return m.pos1 == u"一般" || m.pos1 == u"サ変接続" || m.pos1 == u"形容動詞語幹" ||
               m.pos1 == u"副詞可能" || m.pos1 == u"ナイ形容詞語幹";
    return false;
}

// Verbs whose kana spelling is the rule in prose (という, である, している).
bool isGrammarReading(const QString& reading) {
    static const QStringList readings{u"イウ"_qs, u"アル"_qs, u"イル"_qs,
                                      u"ナル"_qs, u"スル"_qs, u"クル"_qs};
    return readings.contains(reading);
}

void findKatakanaWords(QStringView sentence, VariantIndex& variants, std::vector<WordUse>& words,
                       std::size_t listed) {
    auto taken = [&](int start, int end) {
        for (std::size_t k = 0; k < listed; ++k)
            if (words[k].start < end && start < words[k].start + words[k].length) return true;
        return false;
    };
    for (int i = 0; i < int(sentence.size());) {
        if (!isKatakana(sentence[i])) {
            ++i;
            continue;
        }
        int end = i;
        while (end < int(sentence.size()) && isKatakana(sentence[end]))
            ++end;
        int bare = end;
        while (bare > i && sentence[bare - 1] == u'ー')
            --bare;
        if (bare - i >= 3 && !taken(i, end)) {
            const int group = variants.groupFor(VariantSource::LongVowel,
                                                sentence.sliced(i, bare - i).toString());
            const int variant = variants.variantFor(group, sentence.sliced(i, end - i).toString());
            words.push_back({group, variant, i, end - i});
        }
        i = end;
    }
}

void findReadingWords(const std::vector<Morpheme>& morphemes, MorphAnalyzer& analyzer,
                      VariantIndex& variants, std::vector<WordUse>& words) {
    const std::size_t before = words.size();
    auto taken = [&](int start, int end) {
        for (std::size_t k = 0; k < before; ++k)
            if (words[k].start < end && start < words[k].start + words[k].length) return true;
        return false;
    };
    for (const Morpheme& m : morphemes) {
        if (!isReadingWord(m) || m.baseForm == u"*" || variants.isListed(m.baseForm)) continue;
        if (!isAllHiragana(m.baseForm) && !hasKanji(m.baseForm)) continue;
        if (taken(m.start, m.start + m.length)) continue;
        const bool conjugates = m.pos == u"動詞" || m.pos == u"形容詞";
        const QString reading = conjugates ? analyzer.readingOf(m.baseForm) : m.reading;
        if (reading.size() < 2 || reading == u"*" || isGrammarReading(reading)) continue;
        const int group = variants.groupFor(VariantSource::Reading, m.pos + u':' + reading);
        words.push_back({group, variants.variantFor(group, m.baseForm), m.start, m.length});
    }
}

} // namespace

SentenceFacts analyzeSentence(QStringView sentence, MorphAnalyzer* analyzer,
                              VariantIndex& variants) {
    SentenceFacts facts;
    facts.length = int(sentence.size());
    facts.ending = classifyEnding(sentence);
    const bool analysed = analyzer && analyzer->available();
    const std::vector<Morpheme> words =
        analysed ? analyzer->analyze(sentence) : std::vector<Morpheme>{};
    facts.mostCommas = countCommas(sentence, words);
    variants.findListed(sentence, facts.words);
    findKatakanaWords(sentence, variants, facts.words, facts.words.size());
    if (!analysed) return facts;
    for (auto* find : {&findDoubledParticles, &findDroppedRa, &findRepeatedWords}) {
        auto found = find(words);
        facts.local.insert(facts.local.end(), std::make_move_iterator(found.begin()),
                           std::make_move_iterator(found.end()));
    }
    findReadingWords(words, *analyzer, variants, facts.words);
    return facts;
}

} // namespace proofread
