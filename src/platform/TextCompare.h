#pragma once

#include <QString>
#include <QStringView>

// The Japanese-locale text comparison: case, full/half width and hiragana/katakana are
// ignored. The fold maps one code unit to one code unit, so positions found in folded text
// are positions in the original.
namespace textcmp {

char16_t fold(char16_t c);
bool equal(QStringView a, QStringView b);
// InStr(start, text, find, vbTextCompare): 1-based start and result, 0 = not found.
// An empty `find` returns `start` (0 when start is past the end + 1).
int inStr(int start, QStringView text, QStringView find);
// Replaces every non-overlapping occurrence from the left; `count` receives the number.
QString replaceAll(QStringView text, QStringView find, QStringView replacement,
                   int* count = nullptr);

} // namespace textcmp
