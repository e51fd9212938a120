#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

// One word of a sentence as MeCab's IPADIC sees it. Positions are UTF-16 code units within
// the analysed sentence; the fields are the dictionary's columns (品詞, 品詞細分類1-3, 活用型,
// 活用形, 原形, 読み), "*" where the dictionary has none.
namespace proofread {

struct Morpheme {
    int start = 0;
    int length = 0;
    QString surface;
    QString pos;
    QString pos1;
    QString pos2;
    QString pos3;
    QString conjugationType;
    QString conjugationForm;
    QString baseForm;
    QString reading;
};

// MeCab through its C++ API: one model, tagger and lattice, created once and reused for every
// sentence. When the library finds no dictionary the analyser says so and analyses nothing;
// the checks that need it are then skipped and the window shows the message.
class MorphAnalyzer {
public:
    // `arguments` are MeCab's own ("-d DIR" picks a dictionary); empty: the system's mecabrc.
    explicit MorphAnalyzer(const QString& arguments = QString());
    ~MorphAnalyzer();
    MorphAnalyzer(const MorphAnalyzer&) = delete;
    MorphAnalyzer& operator=(const MorphAnalyzer&) = delete;

    bool available() const;
    // Why the analyser is not available, in words for the writer ("" when it is).
    QString problem() const;

    std::vector<Morpheme> analyze(QStringView sentence);
    // The reading of a dictionary form ("出来る" → "デキル"), remembered once asked.
    QString readingOf(const QString& baseForm);

private:
    struct Engine;
    std::unique_ptr<Engine> m_engine;
    QString m_problem;
    QHash<QString, QString> m_readings;
};

} // namespace proofread
