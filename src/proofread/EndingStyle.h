#pragma once

#include <QStringView>

// Which style a sentence ends in, judged by the style converter's own ending tables: an ending
// the polite-to-plain tables (or its found-ending check) know is polite, one the plain-to-polite
// tables know is plain. Polite is tried first, because a plain table's short rows ("す", "た")
// also end every polite "ます" and "ました".
namespace proofread {

enum class SentenceStyle { None, Polite, Plain };

struct StyledEnding {
    SentenceStyle style = SentenceStyle::None;
    int start = 0; // where the deciding ending begins in the sentence
    friend bool operator==(const StyledEnding&, const StyledEnding&) = default;
};

// The narrator's ending of one sentence. A sentence that ends in a quotation (「…」。) or a
// parenthesis has no narrator's ending and no style; final particles (ね, よ, か, …) after
// the ending are looked through, so "ですね" is polite.
StyledEnding classifyEnding(QStringView sentence);

} // namespace proofread
