#pragma once

#include <QString>

// The main window's title is the document's identity: the prefix, then the full path or the
// untitled mark.
namespace doctitle {

inline const QString kPrefix = QStringLiteral("Pallo   ");
inline const QString kUntitled = kPrefix + QStringLiteral("（無題）");

inline QString forPath(const QString& path) {
    return kPrefix + path;
}
// The current path is the title without its prefix ("（無題）" for an untitled document).
inline QString currentPath(const QString& title) {
    return title.startsWith(kPrefix) ? title.mid(kPrefix.size()) : title;
}
inline bool isUntitled(const QString& title) {
    return title == kUntitled;
}

} // namespace doctitle
