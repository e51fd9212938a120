#pragma once

#include "platform/TextBox.h"
#include "proofread/MorphAnalyzer.h"
#include "proofread/Proofreader.h"

#include <QStringList>

// One analyser for all proofreading tests: loading the dictionary is the slow part.
inline proofread::MorphAnalyzer& sharedAnalyzer() {
    static proofread::MorphAnalyzer analyzer;
    return analyzer;
}

// The passages the checks find in `text` for one check, in document order.
inline QStringList passagesOf(const QString& text, proofread::Check check,
                              proofread::ProofreadOptions options = {},
                              const QString& wordList = QString()) {
    TextBox box;
    box.setText(text);
    proofread::Proofreader reader(box, &sharedAnalyzer(), wordList);
    reader.run(0, box.length());
    QStringList out;
    for (const auto& f : reader.findings(options))
        if (f.check == check) out << f.passage;
    return out;
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(QStringLiteral(" | ")).toStdString() << '}';
}
