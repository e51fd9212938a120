#include "notation/NotationConvert.h"

#include <QStringList>

namespace notation {

namespace {

bool isIdeographLike(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

char32_t lastCodePoint(const QString& s) {
    if (s.isEmpty()) return 0;
    const qsizetype n = s.size();
    if (n >= 2 && s[n - 1].isLowSurrogate() && s[n - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(s[n - 2], s[n - 1]);
    return s[n - 1].unicode();
}

// Whether the target, given no bar, would take exactly `base` as the base after `before`.
bool barlessTakes(Target to, QStringView base, const QString& before) {
    const char32_t last = lastCodePoint(before);
    if (last == U'|' || last == U'｜') return false;
    LineParse parse;
    const QString probe = (last ? QString::fromUcs4(&last, 1) : QString()) + base.toString() +
                          QStringLiteral("《あ》");
    parseLine(to, probe, parse);
    return parse.spans.size() == 1 && parse.spans[0].base.size() == base.size() &&
           parse.spans[0].base.end == probe.size() - 3 && parse.spans[0].bar < 0;
}

// Splits text into characters (code points with their combining marks).
QStringList characters(QStringView s) {
    QStringList out;
    for (qsizetype i = 0; i < s.size();) {
        qsizetype next = i + (s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1);
        while (next < s.size()) {
            const char32_t c = s[next].isHighSurrogate() && next + 1 < s.size()
                                   ? QChar::surrogateToUcs4(s[next], s[next + 1])
                                   : s[next].unicode();
            if (!isCombining(c)) break;
            next += c > 0xFFFF ? 2 : 1;
        }
        out.append(s.sliced(i, next - i).toString());
        i = next;
    }
    return out;
}

// The plain text a parse shows, with the characters its literals stand for.
QString meant(QStringView line, const LineParse& parse) {
    QString out;
    forEachVisible(int(line.size()), parse.hidden, [&](int s, int e) {
        for (int i = s; i < e; ++i) {
            QChar c = line[i];
            for (const Literal& l : parse.literals)
                if (l.at == i) c = l.ch;
            out += c;
        }
    });
    return out;
}

class LineWriter {
public:
    LineWriter(QStringView line, const LineParse& parse, Target from, Target to, int number,
               std::vector<Loss>& losses)
        : m_line(line), m_parse(parse), m_from(from), m_to(to), m_number(number),
          m_losses(losses), m_owned(std::size_t(line.size()), false) {
        for (const Span& s : parse.spans) {
            for (int i = s.whole.start; i < s.whole.end; ++i)
                if (i < s.base.start || i >= s.base.end) m_owned[std::size_t(i)] = true;
            if (s.bar >= 0) m_owned[std::size_t(s.bar)] = true;
        }
        for (const Literal& l : parse.literals)
            for (int i = l.mark.start; i < l.mark.end; ++i)
                m_owned[std::size_t(i)] = true;
    }

    QString run() {
        QString out;
        int at = 0;
        for (const Span& s : m_parse.spans) {
            if (s.base.start < at) {
                lose(s, QStringLiteral("ほかの注記と重なるため移せません"));
                continue;
            }
            out += render(at, s.base.start, out);
            at = s.base.end;
            out += span(s, out);
        }
        out += render(at, int(m_line.size()), out);
        return out;
    }

private:
    void lose(const Span& s, const QString& why) {
        m_losses.push_back({m_number, m_line.sliced(s.whole.start, s.whole.size()).toString() +
                                          QStringLiteral("：") + why});
    }

    QString escape(QChar c, const QString& before) const {
        switch (m_to) {
        case Target::Aozora:
            if (c == u'《') return QStringLiteral("※［＃始め二重山括弧、1-1-52］");
            if (c == u'》') return QStringLiteral("※［＃終わり二重山括弧、1-1-53］");
            if (c == u'｜') return QStringLiteral("※［＃縦線、1-1-35］");
            break;
        case Target::Kakuyomu:
            if (c == u'《') return QStringLiteral("｜《");
            break;
        case Target::Narou:
            if (c == u'《' || ((c == u'(' || c == u'（') && isIdeographLike(lastCodePoint(before))))
                return QStringLiteral("｜") + c;
            break;
        default:
            break;
        }
        return QString(c);
    }

    // Text between notations: what the source shows is written as text of the target; a mark
    // the target has no notation for stays as it was written.
    QString render(int from, int to, const QString& before) {
        QString out;
        std::size_t h = 0;
        const auto& hidden = m_parse.hidden;
        for (int i = from; i < to; ++i) {
            while (h < hidden.size() && hidden[h].end <= i) ++h;
            const bool isHidden = h < hidden.size() && hidden[h].start <= i;
            if (m_owned[std::size_t(i)]) continue;
            if (isHidden) {
                int end = i + 1;
                while (end < std::min(to, hidden[h].end) && !m_owned[std::size_t(end)]) ++end;
                if (m_from != m_to) {
                    const QString mark = m_line.sliced(i, end - i).toString();
                    out += mark;
                    m_losses.push_back({m_number, mark + QStringLiteral("：そのまま残しました")});
                }
                i = end - 1;
                continue;
            }
            QChar c = m_line[i];
            for (const Literal& l : m_parse.literals)
                if (l.at == i) c = l.ch;
            out += escape(c, before + out);
        }
        return out;
    }

    QString span(const Span& s, const QString& before) {
        for (const Span& inner : m_parse.spans)
            if (&inner != &s && inner.whole.start >= s.base.start && inner.whole.end <= s.base.end)
                lose(inner, QStringLiteral("傍点の中のルビは移せません"));
        const QString base = render(s.base.start, s.base.end, before);
        if (s.kind == Span::Kind::Emphasis) {
            switch (m_to) {
            case Target::Aozora:
                return base + QStringLiteral("［＃「") + base + QStringLiteral("」に傍点］");
            case Target::Kakuyomu:
                return QStringLiteral("《《") + base + QStringLiteral("》》");
            case Target::Narou:
            case Target::Pixiv: {
                QString out;
                for (const QString& c : characters(base))
                    out += m_to == Target::Narou ? QStringLiteral("|") + c + QStringLiteral("《・》")
                                                 : QStringLiteral("[[rb:") + c + QStringLiteral(" > ・]]");
                return out;
            }
            case Target::None:
                lose(s, QStringLiteral("傍点を外しました"));
                return base;
            }
        }
        const QString reading = m_line.sliced(s.reading.start, s.reading.size()).toString();
        const int baseLength = characterCount(base), readingLength = characterCount(reading);
        const auto limit = [&](int maxBase, int maxReading) {
            if (baseLength > maxBase) lose(s, QStringLiteral("親文字が%1文字を超えます").arg(maxBase));
            else if (readingLength > maxReading)
                lose(s, QStringLiteral("ルビが%1文字を超えます").arg(maxReading));
        };
        QString bar = QStringLiteral("｜");
        if (s.bar >= 0 && m_to != Target::Aozora && m_line[s.bar] == u'|') bar = QStringLiteral("|");
        switch (m_to) {
        case Target::None:
            lose(s, QStringLiteral("ルビを外しました"));
            return base;
        case Target::Pixiv:
            return QStringLiteral("[[rb:") + base + QStringLiteral(" > ") + reading +
                   QStringLiteral("]]");
        case Target::Narou:
            limit(10, 10);
            break;
        case Target::Kakuyomu:
            limit(20, 50);
            break;
        case Target::Aozora:
            break;
        }
        const bool needsBar = s.bar >= 0 || !barlessTakes(m_to, base, before);
        return (needsBar ? bar : QString()) + base + u'《' + reading + u'》';
    }

    QStringView m_line;
    const LineParse& m_parse;
    Target m_from, m_to;
    int m_number;
    std::vector<Loss>& m_losses;
    std::vector<bool> m_owned;
};

} // namespace

Conversion convert(QStringView text, Target from, Target to) {
    Conversion result;
    if (from == to) {
        result.text = text.toString();
        return result;
    }
    result.text.reserve(text.size() + text.size() / 8);
    LineParse parse, check;
    forEachLine(text, [&](int number, int start, int end) {
        const QStringView line = text.sliced(start, end - start);
        if (number > 0) result.text += QStringLiteral("\r\n");
        parseLine(from, line, parse);
        const std::size_t lossesBefore = result.losses.size();
        const QString written = LineWriter(line, parse, from, to, number, result.losses).run();
        // A line the target reads otherwise than meant (a bar of the text that now opens a
        // base, say) is reported, since the writer's text would change its meaning there.
        if (to != Target::None && result.losses.size() == lossesBefore) {
            parseLine(to, written, check);
            if (meant(written, check) != meant(line, parse))
                result.losses.push_back(
                    {number, QStringLiteral("変換後の行が元と違う読み方になります")});
        }
        result.text += written;
    });
    return result;
}

} // namespace notation
