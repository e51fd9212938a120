#pragma once

#include "platform/Cp932Codec.h"

#include <QString>

// The document format: Shift_JIS bytes, no byte-order mark; reading takes every byte, writing
// puts the text and exactly one CR LF.

// False when the file cannot be opened or read (missing, a folder, unreadable).
bool ReadDocumentFile(const QString& path, QString& text);
// Writes text + CR LF atomically: on failure the previous file stays whole.
bool writeDocumentBytes(const QString& path, const QString& text,
                        cp932::EncodeReport* report = nullptr);
