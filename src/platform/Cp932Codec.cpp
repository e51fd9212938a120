#include "platform/Cp932Codec.h"

#include <unicode/ucnv.h>

#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>

// The mappings come from ICU's "windows-31j" converter, which agrees with Windows on every
// double-byte code. Calling ICU per character is far too slow for multi-megabyte files, so the
// converter is asked once for every code and the answers are kept in flat tables; the loops
// below are then plain lookups.
//
// Where Windows and ICU part ways, Windows wins:
//  - ICU maps 1A, 1C and 7F to U+001C, U+007F and U+001A (an IBM control-code convention);
//    Windows maps all of 00-7F to themselves.
//  - ICU rejects the single bytes 80, A0, FD, FE and FF; Windows decodes them to U+0080 and
//    U+F8F0-U+F8F3 and encodes those back.
//
// Any byte that is not part of a valid character becomes U+DC00 + byte, one code unit per
// byte, and every U+DC00-U+DCFF encodes back to its low byte. U+DC00-U+DC7F occur too: an
// unassigned code such as 85 40 keeps both of its bytes, so the trail 40 becomes U+DC40.
// Encoding therefore maps the whole block U+DC00-U+DCFF to bytes 00-FF.

namespace cp932 {
namespace {

constexpr std::uint16_t kUnmappable = 0xFFFF; // never a code: FF is not a lead byte
constexpr char16_t kEscapeBase = 0xDC00;

constexpr bool isTrailByte(unsigned b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

struct Tables {
    // Single bytes; entries for lead bytes are unused.
    char16_t single[256];
    // lead << 8 | trail -> UTF-16 code unit, 0 for codes that are not assigned.
    char16_t pair[65536];
    // BMP code unit -> code: below 0x100 a single byte, else lead << 8 | trail; kUnmappable
    // for characters CP932 lacks and for high surrogates (handled outside the table).
    std::uint16_t code[65536];

    Tables();
};

// Decodes `bytes` with ICU, returning the single code unit it stands for or 0 when ICU rejects
// the sequence or yields anything other than one unit.
char16_t icuDecode(UConverter* conv, const char* bytes, int length) {
    UErrorCode status = U_ZERO_ERROR;
    UChar out[4];
    ucnv_resetToUnicode(conv);
    const int32_t n = ucnv_toUChars(conv, out, 4, bytes, length, &status);
    return U_SUCCESS(status) && n == 1 ? out[0] : 0;
}

// The code ICU encodes `unit` to, or kUnmappable.
std::uint16_t icuEncode(UConverter* conv, char16_t unit) {
    UErrorCode status = U_ZERO_ERROR;
    char out[4];
    const UChar in = unit;
    ucnv_resetFromUnicode(conv);
    const int32_t n = ucnv_fromUChars(conv, out, 4, &in, 1, &status);
    if (U_FAILURE(status)) return kUnmappable;
    if (n == 1) return static_cast<unsigned char>(out[0]);
    if (n == 2)
        return static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                          static_cast<unsigned char>(out[1]));
    return kUnmappable;
}

Tables::Tables() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> conv(ucnv_open("windows-31j", &status),
                                                            &ucnv_close);
    if (U_FAILURE(status))
        qFatal("CP932: ICU converter windows-31j is unavailable (%s)", u_errorName(status));
    // Stop at the first unmapped sequence so that substitutes never slip into the tables.
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    // Fallback mappings (e.g. U+00A5 -> 5C) would not survive a round trip.
    ucnv_setFallback(conv.get(), false);

    for (unsigned b = 0; b < 256; ++b) {
        single[b] = 0;
        if (b < 0x80) {
            single[b] = static_cast<char16_t>(b);
        } else if (!isLeadByte(static_cast<unsigned char>(b))) {
            const char c = static_cast<char>(b);
            single[b] = icuDecode(conv.get(), &c, 1);
        }
    }
    single[0x80] = 0x0080;
    single[0xA0] = 0xF8F0;
    single[0xFD] = 0xF8F1;
    single[0xFE] = 0xF8F2;
    single[0xFF] = 0xF8F3;

    std::fill(std::begin(pair), std::end(pair), char16_t(0));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(trail)) continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            pair[lead << 8 | trail] = icuDecode(conv.get(), bytes, 2);
        }
    }

    std::fill(std::begin(code), std::end(code), kUnmappable);
    for (unsigned b = 0; b < 256; ++b) {
        if (!isLeadByte(static_cast<unsigned char>(b)))
            code[single[b]] = static_cast<std::uint16_t>(b);
        code[kEscapeBase + b] = static_cast<std::uint16_t>(b);
    }
    for (unsigned c = 0x8140; c < 0xFD00; ++c) {
        const char16_t unit = pair[c];
        if (unit == 0 || code[unit] != kUnmappable) continue;
        // Several codes may decode to the same character; Windows writes back one preferred
        // code (e.g. the IBM extension in rows FA-FC rather than its NEC copy in rows ED-EE),
        // and so does ICU.
        const std::uint16_t preferred = icuEncode(conv.get(), unit);
        code[unit] = preferred != kUnmappable && pair[preferred] == unit
                         ? preferred
                         : static_cast<std::uint16_t>(c);
    }
}

const Tables& tables() {
    static const std::unique_ptr<const Tables> instance = std::make_unique<const Tables>();
    return *instance;
}

} // namespace

QString decode(QByteArrayView bytes) {
    const Tables& t = tables();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    // One byte never yields more than one code unit.
    QString result(bytes.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = begin;
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            *out++ = static_cast<char16_t>(b);
            ++p;
        } else if (!isLeadByte(static_cast<unsigned char>(b))) {
            *out++ = t.single[b];
            ++p;
        } else if (end - p >= 2 && t.pair[b << 8 | p[1]]) {
            *out++ = t.pair[b << 8 | p[1]];
            p += 2;
        } else if (end - p >= 2 && isTrailByte(p[1])) {
            // Well-formed but unassigned: Windows reads the two bytes as one unit as well.
            *out++ = static_cast<char16_t>(kEscapeBase + b);
            *out++ = static_cast<char16_t>(kEscapeBase + p[1]);
            p += 2;
        } else {
            // Truncated or followed by a byte that cannot be a trail: that byte starts over.
            *out++ = static_cast<char16_t>(kEscapeBase + b);
            ++p;
        }
    }
    result.resize(out - begin);
    return result;
}

QByteArray encode(QStringView text, EncodeReport* report, int maxPositions) {
    if (report) *report = EncodeReport{};
    const Tables& t = tables();
    const char16_t* const s = text.utf16();
    const qsizetype n = text.size();
    // Two bytes per code unit at most; a surrogate pair becomes a single "?".
    QByteArray result(2 * n, Qt::Uninitialized);
    auto* const begin = reinterpret_cast<unsigned char*>(result.data());
    unsigned char* out = begin;
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint16_t c = t.code[s[i]];
        if (c < 0x100) {
            *out++ = static_cast<unsigned char>(c);
        } else if (c != kUnmappable) {
            *out++ = static_cast<unsigned char>(c >> 8);
            *out++ = static_cast<unsigned char>(c);
        } else {
            const qsizetype position = i;
            if (QChar::isHighSurrogate(s[i]) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) ++i;
            *out++ = '?';
            if (report) {
                ++report->unmappable;
                if (report->positions.size() < maxPositions) report->positions.append(position);
            }
        }
    }
    result.resize(out - begin);
    return result;
}

} // namespace cp932
