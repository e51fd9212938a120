#include "documents/QuickViewText.h"

#include "documents/DocumentFile.h"

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

QString formatLine(const DocumentFormat& format) {
    return QStringLiteral("ﾌｧｲﾙ形式:") + formatName(format);
}

Preview readPreview(const QString& path, const std::function<void(const QString&)>& caption,
                    int maxLines, qint64 maxBytes) {
    const auto report = [&](const QString& text) {
        if (caption) caption(text);
    };
    Preview result;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(maxBytes);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        report(kCaption);
        return result;
    }
    // Read as the document would be, so the preview shows what opening the file shows.
    const bool cut = bytes.size() == maxBytes && !file.atEnd();
    const QString text = cut ? decodeDocumentStart(bytes, &result.format)
                             : decodeDocument(bytes, &result.format);
    file.close();

    qsizetype start = 0;
    while (result.lines < maxLines && start < text.size()) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0) end = text.size();
        result.text += QStringView(text).sliced(start, end - start);
        result.text += QStringLiteral("\r\n");
        report(progressCaption(++result.lines));
        start = end + 1;
        if (start < text.size() && text[start] == u'\n') ++start;
    }
    result.ok = true;
    report(kCaption);
    return result;
}

} // namespace quickview
