#include "proofread/Proofreader.h"

#include "platform/TextBox.h"
#include "proofread/MorphAnalyzer.h"
#include "proofread/SentenceSplitter.h"

#include <algorithm>

namespace proofread {

Proofreader::Proofreader(TextBox& box, MorphAnalyzer* analyzer, const QString& userWordList)
    : m_box(box), m_analyzer(analyzer), m_variants(std::make_unique<VariantIndex>(userWordList)) {}

Proofreader::~Proofreader() = default;

void Proofreader::setUserWordList(const QString& contents) {
    clear();
    m_cache.clear();
    m_variantCounts.clear();
    m_variants = std::make_unique<VariantIndex>(contents);
}

void Proofreader::clear() {
    m_sentences.clear();
    m_hasRun = false;
    m_polite = m_plain = 0;
    for (auto& counts : m_variantCounts)
        std::fill(counts.begin(), counts.end(), 0);
}

std::shared_ptr<const SentenceFacts> Proofreader::factsFor(QStringView sentence) {
    const QString key = sentence.toString();
    auto it = m_cache.constFind(key);
    if (it != m_cache.cend()) return *it;
    ++m_analysed;
    auto facts =
        std::make_shared<const SentenceFacts>(analyzeSentence(sentence, m_analyzer, *m_variants));
    m_cache.insert(key, facts);
    return facts;
}

void Proofreader::count(const SentenceFacts& facts, int sign) {
    if (facts.ending.style == SentenceStyle::Polite) m_polite += sign;
    if (facts.ending.style == SentenceStyle::Plain) m_plain += sign;
    for (const WordUse& use : facts.words) {
        if (std::size_t(use.group) >= m_variantCounts.size())
            m_variantCounts.resize(std::size_t(use.group) + 1);
        auto& counts = m_variantCounts[std::size_t(use.group)];
        if (std::size_t(use.variant) >= counts.size()) counts.resize(std::size_t(use.variant) + 1);
        counts[std::size_t(use.variant)] += sign;
    }
}

std::vector<Proofreader::Slot> Proofreader::splitRegion(int from, int to) {
    std::vector<Slot> made;
    // Only the region is read, where it lies: the rest of the text may be behind the hole of
    // the edit that called for this, and sentences never cross the region's line breaks.
    const QStringView text = m_box.view(from, to);
    for (const SentenceSpan& span : splitSentences(text, 0, int(text.size()))) {
        made.push_back(
            {from + span.start, span.length, factsFor(text.sliced(span.start, span.length))});
        count(*made.back().facts, +1);
    }
    return made;
}

bool Proofreader::run(int from, int to, const Progress& progress) {
    clear();
    const int length = m_box.length();
    from = std::clamp(from, 0, length);
    to = std::clamp(to, from, length);
    m_whole = from == 0 && to == length;
    m_scopeStart = from;
    m_scopeEnd = to;
    const QStringView text(m_box.text());
    const std::vector<SentenceSpan> spans = splitSentences(text, from, to);
    m_sentences.reserve(spans.size());
    const int total = int(spans.size());
    // The progress callback lets window events run; an edit among them ends the run, since
    // the sentences found so far no longer lie where they were.
    bool edited = false;
    const QMetaObject::Connection watch =
        QObject::connect(&m_box, &TextBox::changed, [&edited] { edited = true; });
    for (int i = 0; i < total; ++i) {
        if (progress && i % 128 == 0 && (!progress(i, total) || edited)) {
            QObject::disconnect(watch);
            clear();
            return false;
        }
        const SentenceSpan& span = spans[std::size_t(i)];
        m_sentences.push_back(
            {span.start, span.length, factsFor(text.sliced(span.start, span.length))});
        count(*m_sentences.back().facts, +1);
    }
    QObject::disconnect(watch);
    if (progress) progress(total, total);
    m_hasRun = true;
    pruneCache();
    return true;
}

void Proofreader::textReplaced(int pos, int removed, int inserted) {
    if (!m_hasRun) return;
    const int delta = inserted - removed;
    auto shiftFrom = [&](std::vector<Slot>::iterator it) {
        for (; it != m_sentences.end(); ++it)
            it->start += delta;
    };
    if (m_whole) {
        m_scopeStart = 0;
        m_scopeEnd = m_box.length();
    } else if (pos + removed <= m_scopeStart && !(removed == 0 && pos == m_scopeStart)) {
        m_scopeStart += delta;
        m_scopeEnd += delta;
        shiftFrom(m_sentences.begin());
        return;
    } else if (pos > m_scopeEnd || (pos == m_scopeEnd && removed > 0)) {
        return;
    } else {
        m_scopeStart = std::min(m_scopeStart, pos);
        m_scopeEnd = m_scopeEnd >= pos + removed ? m_scopeEnd + delta : pos + inserted;
    }
    // The changed lines, in the new text: sentences never cross a line break, so everything
    // before and after them stays as it was, only moved by delta.
    const int length = m_box.length();
    const int firstLine = m_box.hardLineFromChar(std::max(0, pos - 1));
    const int lastLine = m_box.hardLineFromChar(std::min(length, pos + inserted + 1));
    const int regionStart = std::max(m_scopeStart, m_box.hardLineStart(firstLine));
    const int regionEnd =
        std::min(m_scopeEnd, std::max(m_box.hardLineEnd(lastLine), pos + inserted));
    const int oldRegionEnd = regionEnd - delta;

    auto first = std::lower_bound(m_sentences.begin(), m_sentences.end(), regionStart,
                                  [](const Slot& s, int p) { return s.start < p; });
    auto last = std::lower_bound(first, m_sentences.end(), oldRegionEnd,
                                 [](const Slot& s, int p) { return s.start < p; });
    for (auto it = first; it != last; ++it)
        count(*it->facts, -1);
    const auto at = m_sentences.erase(first, last);
    shiftFrom(at);
    std::vector<Slot> fresh = splitRegion(regionStart, regionEnd);
    m_sentences.insert(m_sentences.begin() + (at - m_sentences.begin()),
                       std::make_move_iterator(fresh.begin()),
                       std::make_move_iterator(fresh.end()));
    if (m_cache.size() > 2 * qsizetype(m_sentences.size()) + 4096) pruneCache();
}

void Proofreader::pruneCache() {
    for (auto it = m_cache.begin(); it != m_cache.end();)
        it = it->use_count() == 1 ? m_cache.erase(it) : std::next(it);
}

std::vector<int> Proofreader::winners() const {
    std::vector<int> out(m_variantCounts.size(), -1);
    for (std::size_t g = 0; g < m_variantCounts.size(); ++g) {
        const auto& counts = m_variantCounts[g];
        int used = 0, kanji = 0, kana = 0;
        const QStringList& spellings = m_variants->spellingsOf(int(g));
        for (std::size_t v = 0; v < counts.size(); ++v) {
            if (counts[v] == 0) continue;
            ++used;
            if (hasKanji(spellings[qsizetype(v)]))
                ++kanji;
            else
                ++kana;
        }
        // Two kanji spellings of one reading are two words (会う, 合う), not one word twice.
        const bool mixed = m_variants->sourceOf(int(g)) == VariantSource::Reading
                               ? kanji == 1 && kana == 1
                               : used >= 2;
        if (mixed) out[g] = m_variants->winner(int(g), counts);
    }
    return out;
}

std::vector<Finding> Proofreader::findings(const ProofreadOptions& options) const {
    std::vector<Finding> out;
    if (!m_hasRun) return out;
    const bool analysed = m_analyzer && m_analyzer->available();
    const SentenceStyle minority = m_polite == 0 || m_plain == 0 ? SentenceStyle::None
                                   : m_plain > m_polite          ? SentenceStyle::Polite
                                                                 : SentenceStyle::Plain;
    const auto styleName = [](SentenceStyle s) {
        return s == SentenceStyle::Polite ? QStringLiteral("です・ます")
                                          : QStringLiteral("だ・である");
    };
    const std::vector<int> winner = options.isOn(Check::Variants) ? winners() : std::vector<int>{};
    const QString& text = m_box.text();
    for (const Slot& slot : m_sentences) {
        const SentenceFacts& f = *slot.facts;
        const std::size_t firstOfSentence = out.size();
        auto add = [&](Check check, int start, int length, QString reason) {
            out.push_back({check, slot.start + start, length, 0, 0, {}, std::move(reason)});
        };
        if (analysed)
            for (const LocalFinding& l : f.local)
                if (options.isOn(l.check)) add(l.check, l.start, l.length, l.reason);
        if (options.isOn(Check::LongSentence) && f.length > options.maxSentenceLength)
            add(Check::LongSentence, 0, slot.length,
                QStringLiteral("一文が%1文字あります（%2文字まで）")
                    .arg(f.length)
                    .arg(options.maxSentenceLength));
        if (options.isOn(Check::ManyCommas) && f.mostCommas > options.maxCommas)
            add(Check::ManyCommas, 0, slot.length,
                QStringLiteral("一文に読点「、」が%1つあります（%2つまで）")
                    .arg(f.mostCommas)
                    .arg(options.maxCommas));
        if (options.isOn(Check::StyleMix) && f.ending.style == minority &&
            minority != SentenceStyle::None) {
            const SentenceStyle major =
                minority == SentenceStyle::Plain ? SentenceStyle::Polite : SentenceStyle::Plain;
            add(Check::StyleMix, f.ending.start, slot.length - f.ending.start,
                QStringLiteral("「%1」調の文章（%2文）に「%3」調の文（%4文）が混じっています")
                    .arg(styleName(major))
                    .arg(major == SentenceStyle::Polite ? m_polite : m_plain)
                    .arg(styleName(minority))
                    .arg(minority == SentenceStyle::Polite ? m_polite : m_plain));
        }
        for (const WordUse& use : f.words) {
            if (std::size_t(use.group) >= winner.size()) continue;
            const int best = winner[std::size_t(use.group)];
            if (best < 0 || best == use.variant) continue;
            const QStringList& spellings = m_variants->spellingsOf(use.group);
            const auto& counts = m_variantCounts[std::size_t(use.group)];
            add(Check::Variants, use.start, use.length,
                QStringLiteral("「%1」（%2回）と「%3」（%4回）が混在しています")
                    .arg(spellings[best])
                    .arg(counts[std::size_t(best)])
                    .arg(spellings[use.variant])
                    .arg(counts[std::size_t(use.variant)]));
        }
        std::stable_sort(out.begin() + qsizetype(firstOfSentence), out.end(),
                         [](const Finding& a, const Finding& b) { return a.start < b.start; });
    }
    for (Finding& f : out) {
        f.line = m_box.hardLineFromChar(f.start);
        f.column = f.start - 2 * f.line;
        f.passage = text.mid(f.start, f.length);
    }
    return out;
}

} // namespace proofread
