#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// Shift_JIS as Windows code page 932. Any byte string survives decode -> encode: a byte that is
// not part of a valid character decodes to U+DC00 + byte and encodes back to that byte. The one
// change is Windows' own: a character with several codes (e.g. ED40 and FA5C) is always written
// with the code Windows prefers.
namespace cp932 {

struct EncodeReport {
    int unmappable = 0;         // characters CP932 cannot hold (written as "?")
    QList<qsizetype> positions; // code-unit positions of the first few of them
};

// Both functions size their result for the worst case and do not shrink it (a shrink is a full
// copy); squeeze() a result that is kept for long.
QString decode(QByteArrayView bytes);
// Characters CP932 lacks become "?"; a surrogate pair or a lone surrogate counts as one such
// character, except U+DC00-U+DCFF, which encode to bytes 00-FF. `report` may be null; at most
// `maxPositions` positions are recorded.
QByteArray encode(QStringView text, EncodeReport* report = nullptr, int maxPositions = 16);

// True for a byte that starts a double-byte character (81-9F, E0-FC).
constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace cp932
