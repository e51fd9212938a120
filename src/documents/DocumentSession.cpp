#include "documents/DocumentSession.h"

#include "state/DocumentTitle.h"

DocumentSession::DocumentSession(DocumentDisplay& display) : m_display(display) {}

QString DocumentSession::title() const {
    return isUntitled() ? doctitle::kUntitled : doctitle::forPath(m_path);
}

QString DocumentSession::displayName() const {
    return isUntitled() ? doctitle::currentPath(doctitle::kUntitled) : m_path;
}

void DocumentSession::setPath(const QString& path) {
    m_path = path;
    m_display.setTitle(title());
}

void DocumentSession::setFormat(const DocumentFormat& format) {
    m_format = format;
    m_display.setFormatText(formatName(format));
}

QString DocumentSession::recentFile(int i) const {
    return i >= 0 && i < kRecentFileCount ? m_recent[i] : QString();
}

void DocumentSession::pushRecentFile(const QString& path) {
    m_display.showRecentSeparator();
    const std::optional<DocumentPlace> place = placeOf(path);
    for (int i = kRecentFileCount - 1; i > 0; --i) {
        m_recent[i] = m_recent[i - 1];
        m_places[i] = m_places[i - 1];
        m_display.setRecentFileCaption(i, m_recent[i]);
    }
    m_recent[0] = path;
    m_places[0] = place;
    m_display.setRecentFileCaption(0, path);
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!m_recent[i].isEmpty()) m_display.setRecentFileVisible(i);
}

void DocumentSession::restoreRecentFile(int i, const QString& path) {
    if (i < 0 || i >= kRecentFileCount || path.isEmpty()) return;
    m_recent[i] = path;
    m_display.showRecentSeparator();
    m_display.setRecentFileCaption(i, path);
    m_display.setRecentFileVisible(i);
}

std::optional<DocumentPlace> DocumentSession::recentPlace(int i) const {
    return i >= 0 && i < kRecentFileCount && !m_recent[i].isEmpty() ? m_places[i] : std::nullopt;
}

std::optional<DocumentPlace> DocumentSession::placeOf(const QString& path) const {
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!path.isEmpty() && m_recent[i] == path && m_places[i]) return m_places[i];
    return std::nullopt;
}

// Every entry of the path: the list keeps duplicates, and either may be chosen next.
void DocumentSession::setPlaceOf(const QString& path, const DocumentPlace& place) {
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!path.isEmpty() && m_recent[i] == path) m_places[i] = place;
}

void DocumentSession::restoreRecentPlace(int i, const DocumentPlace& place) {
    if (i >= 0 && i < kRecentFileCount && !m_recent[i].isEmpty()) m_places[i] = place;
}
