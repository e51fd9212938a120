#include "proofread/WordVariants.h"

#include <QRegularExpression>
#include <algorithm>

namespace proofread {

namespace {

// Pairs writers and publishers mix most often; the form most style guides prefer comes first
// and wins a tie. Conjugated verbs have a line per form, since the list matches spellings.
constexpr const char16_t* builtInList[] = {
    u"子ども/子供",
    u"すべて/全て",
    u"できる/出来る",
    u"できた/出来た",
    u"できない/出来ない",
    u"できます/出来ます",
    u"できて/出来て",
    u"たくさん/沢山",
    u"きれい/綺麗",
    u"ありがとう/有難う/有り難う",
    u"よろしく/宜しく",
    u"ください/下さい",
    u"なぜ/何故",
    u"ほとんど/殆ど",
    u"すでに/既に",
    u"さらに/更に",
    u"さまざま/様々",
    u"いったん/一旦",
    u"とても/迚も",
    u"もちろん/勿論",
    u"やはり/矢張り",
    u"たとえば/例えば",
    u"ただし/但し",
    u"および/及び",
    u"または/又は",
    u"ぜひ/是非",
    u"いろいろ/色々",
    u"わかる/分かる/解る",
    u"わかった/分かった/解った",
    u"わからない/分からない/解らない",
    u"サーバー/サーバ",
    u"ユーザー/ユーザ",
    u"コンピューター/コンピュータ",
    u"メモリー/メモリ",
    u"プリンター/プリンタ",
    u"ウイルス/ウィルス",
    u"ウェブ/ウエブ",
    u"バイオリン/ヴァイオリン",
};

bool isListSeparator(QChar c) {
    return c == u'/' || c == u'／' || c == u'、' || c == u',' || c == u' ' || c == u'\t' ||
           c == u'\u3000';
}

} // namespace

bool isKatakana(QChar c) {
    return (c >= u'ァ' && c <= u'ヺ') || c == u'ー';
}

bool hasKanji(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') ||
               c == u'々' || c.isSurrogate();
    });
}

bool isAllHiragana(QStringView s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
    });
}

VariantIndex::VariantIndex(const QString& userList) {
    for (const char16_t* line : builtInList)
        addListLine(QStringView(line));
    for (const QStringView line : QStringView(userList).split(u'\n')) {
        const qsizetype hash = line.indexOf(u'#');
        addListLine(hash < 0 ? line : line.first(hash));
    }
    for (QStringList& list : m_byFirstChar)
        std::sort(list.begin(), list.end(),
                  [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

QString VariantIndex::userListFileName() {
    return QStringLiteral("PalloWords.txt");
}

void VariantIndex::addListLine(QStringView line) {
    QStringList spellings;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (isListSeparator(line[i]) || line[i] == u'\r'))
            ++i;
        qsizetype j = i;
        while (j < line.size() && !isListSeparator(line[j]) && line[j] != u'\r')
            ++j;
        const QString word = line.mid(i, j - i).toString();
        // A spelling already in an earlier group stays there: one place, one group.
        if (!word.isEmpty() && !spellings.contains(word) && !m_listed.contains(word))
            spellings.append(word);
        i = j;
    }
    if (spellings.size() < 2) return;
    const int group = int(m_groups.size());
    for (int v = 0; v < spellings.size(); ++v) {
        m_listed.insert(spellings[v], {group, v});
        m_byFirstChar[spellings[v][0].unicode()].append(spellings[v]);
    }
    m_groups.push_back({VariantSource::WordList, spellings});
}

bool VariantIndex::isListed(const QString& spelling) const {
    return m_listed.contains(spelling);
}

void VariantIndex::findListed(QStringView sentence, std::vector<WordUse>& out) const {
    if (m_byFirstChar.isEmpty()) return;
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        const auto it = m_byFirstChar.constFind(sentence[i].unicode());
        if (it == m_byFirstChar.cend()) continue;
        for (const QString& word : *it) {
            if (!sentence.sliced(i).startsWith(word)) continue;
            const qsizetype end = i + word.size();
            if (isKatakana(word.front()) && i > 0 && isKatakana(sentence[i - 1])) continue;
            if (isKatakana(word.back()) && end < sentence.size() && isKatakana(sentence[end]))
                continue;
            const auto [group, variant] = m_listed.value(word);
            out.push_back({group, variant, int(i), int(word.size())});
            i = end - 1;
            break;
        }
    }
}

int VariantIndex::groupFor(VariantSource source, const QString& key) {
    const QString tagged = QString::number(int(source)) + u':' + key;
    const auto it = m_keys.constFind(tagged);
    if (it != m_keys.cend()) return *it;
    const int group = int(m_groups.size());
    m_groups.push_back({source, {}});
    m_keys.insert(tagged, group);
    return group;
}

int VariantIndex::variantFor(int group, const QString& spelling) {
    QStringList& spellings = m_groups[std::size_t(group)].spellings;
    const qsizetype i = spellings.indexOf(spelling);
    if (i >= 0) return int(i);
    spellings.append(spelling);
    return int(spellings.size() - 1);
}

int VariantIndex::winner(int group, const std::vector<int>& counts) const {
    const Group& g = m_groups[std::size_t(group)];
    int best = -1;
    auto better = [&](int a, int b) {
        const QString& sa = g.spellings[a];
        const QString& sb = g.spellings[b];
        switch (g.source) {
        case VariantSource::WordList:
            return a < b;
        case VariantSource::LongVowel:
            return sa.endsWith(u'ー') && !sb.endsWith(u'ー');
        case VariantSource::Reading:
            return hasKanji(sa) && !hasKanji(sb);
        }
        return false;
    };
    for (int v = 0; v < int(counts.size()); ++v) {
        if (counts[std::size_t(v)] == 0) continue;
        if (best < 0 || counts[std::size_t(v)] > counts[std::size_t(best)] ||
            (counts[std::size_t(v)] == counts[std::size_t(best)] && better(v, best)))
            best = v;
    }
    return best;
}

} // namespace proofread
