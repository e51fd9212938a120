#pragma once

#include "proofread/ProofreadChecks.h"
#include "proofread/SentenceFacts.h"
#include "proofread/WordVariants.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TextBox;

namespace proofread {

class MorphAnalyzer;

// The checks over a document: the whole text or a part of it, kept up to date edit by edit.
// Every sentence's facts are kept by the sentence's text, so after an edit only the sentences
// of the changed lines are split again and only those whose text is new are analysed; the
// others just move. The whole-text checks (文体の混在, 表記ゆれ) keep running counts that the
// changed sentences adjust.
class Proofreader {
public:
    // The analyser may be null or without a dictionary; it is not owned.
    Proofreader(TextBox& box, MorphAnalyzer* analyzer, const QString& userWordList = QString());
    ~Proofreader();

    // The writer's word list (the file's text); what was analysed with the old one is dropped.
    void setUserWordList(const QString& contents);

    // Checks text[from, to) and keeps the result. `progress(done, total)` is asked now and
    // then; when it answers false the run stops and nothing is kept. Returns false then.
    using Progress = std::function<bool(int done, int total)>;
    bool run(int from, int to, const Progress& progress = {});
    void clear();
    bool hasRun() const { return m_hasRun; }
    bool coversWholeText() const { return m_whole; }

    // Follows an edit of the text box (its textReplaced signal, with the text already
    // changed). The caller decides whether to follow edits at all.
    void textReplaced(int pos, int removed, int inserted);

    std::vector<Finding> findings(const ProofreadOptions& options) const;

    int sentenceCount() const { return int(m_sentences.size()); }
    // How many sentences have been analysed since the start: a cache hit is not counted.
    int analysedCount() const { return m_analysed; }

private:
    struct Slot {
        int start = 0;
        int length = 0;
        std::shared_ptr<const SentenceFacts> facts;
    };
    std::shared_ptr<const SentenceFacts> factsFor(QStringView sentence);
    void count(const SentenceFacts& facts, int sign);
    std::vector<Slot> splitRegion(int from, int to);
    void pruneCache();
    std::vector<int> winners() const;

    TextBox& m_box;
    MorphAnalyzer* m_analyzer;
    std::unique_ptr<VariantIndex> m_variants;
    QHash<QString, std::shared_ptr<const SentenceFacts>> m_cache;
    std::vector<Slot> m_sentences;
    bool m_hasRun = false;
    bool m_whole = true;
    int m_scopeStart = 0;
    int m_scopeEnd = 0;
    int m_analysed = 0;
    int m_polite = 0;
    int m_plain = 0;
    std::vector<std::vector<int>> m_variantCounts; // [group][variant] uses in the scope
};

} // namespace proofread
