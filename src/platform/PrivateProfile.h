#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The private-profile (INI) rules of the platform, on bytes in the ANSI code page (CP932).
namespace profile {

// GetPrivateProfileString: at most bufferSize - 1 bytes are returned, never splitting a
// double-byte character. A missing file, section or key gives `defaultValue`.
QByteArray readString(const QString& path, QByteArrayView section, QByteArrayView key,
                      QByteArrayView defaultValue = {}, int bufferSize = 255);
// WritePrivateProfileString: keeps every other line, creates file, section and key as needed,
// and replaces the file atomically. Returns false when the file cannot be written.
bool writeString(const QString& path, QByteArrayView section, QByteArrayView key,
                 QByteArrayView value);

} // namespace profile
