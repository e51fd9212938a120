#include "platform/TextViewText.h"

namespace TextViewText {

QString toShown(QStringView model) {
    QString out(model.size(), Qt::Uninitialized);
    QChar* o = out.data();
    const qsizetype n = model.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = model[i].unicode();
        switch (c) {
        case u'\r':
            if (i + 1 < n && model[i + 1] == u'\n') {
                *o++ = u'\n';
                ++i;
            } else {
                *o++ = QChar(LoneCr);
            }
            break;
        case u'\n':
            *o++ = QChar(LoneLf);
            break;
        case 0x2028:
            *o++ = QChar(LineSeparator);
            break;
        case 0x2029:
            *o++ = QChar(ParagraphSeparator);
            break;
        default:
            *o++ = isReserved(c) ? QChar(QChar::ReplacementCharacter) : QChar(c);
        }
    }
    out.truncate(o - out.data());
    return out;
}

QString sanitize(QString text) {
    for (QChar& c : text)
        if (isReserved(c.unicode())) c = QChar::ReplacementCharacter;
    return text;
}

QString fromForeignClipboard(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r')) out += u'\r';
        out += isReserved(c.unicode()) ? QChar(QChar::ReplacementCharacter) : c;
    }
    return out;
}

} // namespace TextViewText
