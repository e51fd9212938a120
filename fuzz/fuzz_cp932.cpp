#include "FuzzSupport.h"
#include "platform/Cp932Codec.h"

#include <unicode/ucnv.h>

#include <memory>

// Any bytes survive a read and a write: the text read is what a character-at-a-time decoder
// built straight on ICU reads, writing it gives the bytes back (a character with several codes
// written with the one Windows prefers), and reading those bytes gives the same text again.

namespace {

constexpr char16_t kEscape = 0xDC00;

struct Icu {
    std::unique_ptr<UConverter, decltype(&ucnv_close)> conv{nullptr, &ucnv_close};
    Icu() {
        UErrorCode status = U_ZERO_ERROR;
        conv.reset(ucnv_open("windows-31j", &status));
        ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                            &status);
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
        ucnv_setFallback(conv.get(), false);
        FUZZ_CHECK(U_SUCCESS(status));
    }
    // The one unit ICU reads from these bytes, or 0.
    char16_t read(const char* bytes, int n) const {
        UErrorCode status = U_ZERO_ERROR;
        UChar out[4];
        ucnv_resetToUnicode(conv.get());
        const int32_t got = ucnv_toUChars(conv.get(), out, 4, bytes, n, &status);
        return U_SUCCESS(status) && got == 1 ? out[0] : 0;
    }
    QByteArray write(char16_t unit) const {
        UErrorCode status = U_ZERO_ERROR;
        char out[4];
        ucnv_resetFromUnicode(conv.get());
        const int32_t got = ucnv_fromUChars(conv.get(), out, 4, &unit, 1, &status);
        return U_SUCCESS(status) ? QByteArray(out, got) : QByteArray();
    }
};

const Icu& icu() {
    static const Icu instance;
    return instance;
}

bool lead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool trail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Windows' single bytes where ICU differs from it.
char16_t single(unsigned b) {
    if (b < 0x80) return char16_t(b);
    switch (b) {
    case 0x80: return 0x0080;
    case 0xA0: return 0xF8F0;
    case 0xFD: return 0xF8F1;
    case 0xFE: return 0xF8F2;
    case 0xFF: return 0xF8F3;
    }
    const char c = char(b);
    const char16_t unit = icu().read(&c, 1);
    return unit ? unit : char16_t(kEscape + b);
}

// Each character with the bytes it came from.
struct Read {
    QString text;
    QList<QByteArray> sources;
};

Read naiveRead(const QByteArray& in) {
    Read r;
    for (qsizetype i = 0; i < in.size();) {
        const unsigned b = static_cast<unsigned char>(in[i]);
        if (lead(b) && i + 1 < in.size() && trail(static_cast<unsigned char>(in[i + 1]))) {
            if (const char16_t unit = icu().read(in.constData() + i, 2)) {
                r.text.append(QChar(unit));
                r.sources.append(in.mid(i, 2));
            } else {
                r.text.append(QChar(kEscape + b));
                r.text.append(QChar(kEscape + static_cast<unsigned char>(in[i + 1])));
                r.sources.append(in.mid(i, 1));
                r.sources.append(in.mid(i + 1, 1));
            }
            i += 2;
        } else {
            r.text.append(QChar(lead(b) ? char16_t(kEscape + b) : single(b)));
            r.sources.append(in.mid(i, 1));
            ++i;
        }
    }
    return r;
}

// The bytes Windows writes for one unit that came from `source`.
QByteArray naiveWrite(char16_t unit, const QByteArray& source) {
    if (unit >= kEscape && unit <= kEscape + 0xFF) return QByteArray(1, char(unit - kEscape));
    if (source.size() == 1) return source;
    const QByteArray preferred = icu().write(unit);
    // ICU's preferred code is taken only when it reads back to the same character.
    return preferred.size() == 2 && icu().read(preferred.constData(), 2) == unit ? preferred
                                                                                 : source;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray in(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = cp932::decode(in);
    const Read expected = naiveRead(in);
    FUZZ_CHECK(text == expected.text);

    cp932::EncodeReport report;
    const QByteArray out = cp932::encode(text, &report);
    FUZZ_CHECK(report.unmappable == 0);
    QByteArray naive;
    for (qsizetype i = 0; i < text.size(); ++i)
        naive += naiveWrite(text[i].unicode(), expected.sources[i]);
    FUZZ_CHECK(out == naive);
    FUZZ_CHECK(out.size() == in.size());
    FUZZ_CHECK(cp932::decode(out) == text);
    return 0;
}
