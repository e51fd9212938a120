#include "proofread/SentenceSplitter.h"

namespace proofread {

bool isSentenceEndMark(QChar c) {
    switch (c.unicode()) {
    case u'。':
    case u'｡':
    case u'！':
    case u'？':
    case u'!':
    case u'?':
        return true;
    default:
        return false;
    }
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

namespace {

bool opensQuotation(QChar c) {
    return c == u'「' || c == u'『';
}
bool closesQuotation(QChar c) {
    return c == u'」' || c == u'』';
}

} // namespace

std::vector<SentenceSpan> splitSentences(QStringView text, int from, int to) {
    std::vector<SentenceSpan> out;
    to = std::min<int>(to, int(text.size()));
    int start = from;
    int depth = 0;
    auto close = [&](int end) {
        while (start < end && isBlank(text[start]))
            ++start;
        int last = end;
        while (last > start && isBlank(text[last - 1]))
            --last;
        if (start < last) out.push_back({start, last - start});
        start = end;
        depth = 0;
    };
    for (int i = from; i < to; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < to && text[i + 1] == u'\n') {
            close(i);
            start = i + 2;
            ++i;
        } else if (opensQuotation(c)) {
            ++depth;
        } else if (closesQuotation(c)) {
            if (depth > 0) --depth;
        } else if (depth == 0 && isSentenceEndMark(c)) {
            int end = i + 1;
            while (end < to && isSentenceEndMark(text[end]))
                ++end;
            close(end);
            i = end - 1;
        }
    }
    close(to);
    return out;
}

} // namespace proofread
