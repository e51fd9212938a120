#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// Shift_JIS as Windows code page 932, lossless for any byte string: a byte that is not valid
// CP932 decodes to U+DC00 + byte and encodes back to that byte.
namespace cp932 {

struct EncodeReport {
    int unmappable = 0;           // characters CP932 cannot hold (written as "?")
    QList<qsizetype> positions;   // code-unit positions of the first few of them
};

QString decode(QByteArrayView bytes);
// `report` may be null; at most `maxPositions` positions are recorded.
QByteArray encode(QStringView text, EncodeReport* report = nullptr, int maxPositions = 16);

// True for a byte that starts a double-byte character (81-9F, E0-FC).
constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace cp932
