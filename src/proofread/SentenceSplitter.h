#pragma once

#include <QStringView>
#include <vector>

// Cuts prose into sentences the way a reader of Japanese would: after 。, ！ or ？ (and their
// half-width forms), and at every CR LF line break. A run of marks ("！？", "。。") stays with
// its sentence. Inside a quotation in 「」 or 『』 (nested to any depth) the marks belong to
// the speaker, so the narrator's sentence goes on until the quotation closes; a line break
// ends the sentence and any quotation left open. Blanks at the start of a sentence (the
// paragraph indent, the space after "？") are not part of it.
namespace proofread {

struct SentenceSpan {
    int start = 0; // code-unit offset in the text given to the splitter
    int length = 0;
    friend bool operator==(const SentenceSpan&, const SentenceSpan&) = default;
};

bool isSentenceEndMark(QChar c);
bool isBlank(QChar c);

// The sentences of text[from, to), in order; `from` must be where a sentence may start (the
// start of the text, of a line, or of a sentence).
std::vector<SentenceSpan> splitSentences(QStringView text, int from, int to);

} // namespace proofread
