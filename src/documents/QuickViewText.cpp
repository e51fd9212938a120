#include "documents/QuickViewText.h"

#include "platform/Cp932Codec.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quickview {

QString hundredthsText(qint64 hundredths) {
    QString text = QString::number(hundredths / 100);
    const int cents = int(hundredths % 100);
    if (cents == 0) return text;
    text += u'.';
    text += QChar(u'0' + cents / 10);
    if (cents % 10 != 0) text += QChar(u'0' + cents % 10);
    return text;
}

QString sizeLine(qint64 bytes) {
    const QString head = QStringLiteral("ﾌｧｲﾙｻｲｽﾞ:");
    if (bytes < 1000) return head + QString::number(bytes) + QStringLiteral("B");
    // Whole numbers all the way: n / 10 cut is the count of hundredths of a kilobyte.
    if (bytes < 1000000) return head + hundredthsText(bytes / 10) + QStringLiteral("KB");
    return head + hundredthsText(bytes / 10000) + QStringLiteral("MB");
}

QString standardDateText(const QDateTime& when) {
    return when.toString(QStringLiteral("yy/MM/dd H:mm:ss"));
}

QString dateLine(const QDateTime& modified) {
    return QStringLiteral("ﾌｧｲﾙ更新日:") + standardDateText(modified).left(8);
}

QString attributeLine(int bits) {
    QString words;
    if (bits == 0) words = QStringLiteral("通常ﾌｧｲﾙ");
    if (bits & ReadOnly) words = QStringLiteral("読取専用ﾌｧｲﾙ");
    if (bits & Hidden) words += QStringLiteral(" 隠しﾌｧｲﾙ");
    if (bits & System) words += QStringLiteral(" ｼｽﾃﾑﾌｧｲﾙ");
    if (bits & Folder) words += QStringLiteral(" ﾌｫﾙﾀﾞ");
    if (bits & Archive) words += QStringLiteral(" ｱｰｶｲﾌﾞ");
    return QStringLiteral("ﾌｧｲﾙ属性:") + words;
}

int fileAttributes(const QString& path) {
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
    return int(attributes & (ReadOnly | Hidden | System | Folder | Archive));
#else
    const QFileInfo info(path);
    if (!info.exists()) return -1;
    int bits = 0;
    if (!info.isWritable()) bits |= ReadOnly;
    if (info.isHidden()) bits |= Hidden;
    if (info.isDir())
        bits |= Folder;
    else if (!info.isFile())
        bits |= System; // devices, pipes and sockets
    return bits;
#endif
}

QString progressCaption(int lines) {
    return kCaption + QString::number(lines) + QStringLiteral("行読み取り");
}

namespace {

// A line cut by the byte limit may end in the first byte of a double-byte character; that
// half is dropped rather than shown as a stray byte.
qsizetype wholeCharacters(const QByteArray& bytes, qsizetype begin, qsizetype end) {
    qsizetype i = begin;
    while (i < end) {
        if (cp932::isLeadByte(static_cast<unsigned char>(bytes[i]))) {
            if (i + 1 >= end) return i;
            i += 2;
        } else {
            ++i;
        }
    }
    return end;
}

} // namespace

Preview readPreview(const QString& path, const std::function<void(const QString&)>& caption,
                    int maxLines, qint64 maxBytes) {
    const auto report = [&](const QString& text) {
        if (caption) caption(text);
    };
    Preview result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(kCaption);
        return result;
    }

    constexpr qint64 kChunk = 64 * 1024;
    QByteArray buffer; // bytes read; those before `start` are already lines
    qsizetype start = 0;
    qint64 total = 0;       // bytes read from the file
    bool exhausted = false; // end of file or byte limit reached
    QString text;
    int lines = 0;
    const auto takeLine = [&](qsizetype end, bool cut) {
        const qsizetype keep = cut ? wholeCharacters(buffer, start, end) : end;
        text += cp932::decode(QByteArrayView(buffer.constData() + start, keep - start));
        text += QStringLiteral("\r\n");
        ++lines;
        report(progressCaption(lines));
    };

    qsizetype scanned = 0; // no CR between `start` and this offset
    while (lines < maxLines) {
        const qsizetype cr = buffer.indexOf('\r', qMax(start, scanned));
        // A CR at the very end of what has been read may yet be followed by its LF.
        if (cr >= 0 && (cr + 1 < buffer.size() || exhausted)) {
            takeLine(cr, false);
            start = cr + 1;
            if (start < buffer.size() && buffer[start] == '\n') ++start;
            continue;
        }
        if (exhausted) {
            // The last line has no line break; the byte limit may have cut it.
            if (start < buffer.size()) takeLine(buffer.size(), total >= maxBytes);
            break;
        }
        const qint64 want = qMin(kChunk, maxBytes - total);
        if (want <= 0) {
            exhausted = true;
            continue;
        }
        buffer.remove(0, start);
        scanned = cr >= 0 ? cr - start : buffer.size();
        start = 0;
        const qsizetype before = buffer.size();
        buffer.resize(before + want);
        const qint64 got = file.read(buffer.data() + before, want);
        if (got < 0) {
            report(kCaption);
            return result;
        }
        buffer.resize(before + got);
        total += got;
        if (got == 0 || total >= maxBytes) exhausted = true;
    }
    file.close();

    result.ok = true;
    result.text = text;
    result.lines = lines;
    report(kCaption);
    return result;
}

} // namespace quickview
