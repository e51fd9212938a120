#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QStringView>

// The kill drill's progress log, written by the drill's writer program (drill/) to its standard
// output and read by the test that kills it (tests/shell/KillDrillTest.cpp). One line per step
// the writer has completed: the event's word, a blank and the checksum of the text it concerns.
namespace killdrill {

inline constexpr QByteArrayView kLoaded = "LOADED";   // start-up done; the title follows the sum
inline constexpr QByteArrayView kTyped = "TYPED";     // the text after a typing step
inline constexpr QByteArrayView kSaving = "SAVING";   // 上書き保存 is about to write this text
inline constexpr QByteArrayView kSaved = "SAVED";     // ... and has written it
inline constexpr QByteArrayView kTick = "TICK";       // a backup tick has written this text
inline constexpr QByteArrayView kMessage = "MESSAGE"; // a message was shown; its text follows

// Arguments of the writer program: the program folder, the document, the random seed.
inline constexpr int kArgCount = 4;

inline QByteArray checksum(QStringView text) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
}

} // namespace killdrill
