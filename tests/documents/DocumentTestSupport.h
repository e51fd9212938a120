#pragma once

#include "support/FakeWindow.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

// Files in the fake editor's program folder.
inline QString pathIn(const FakeEditor& e, const QString& name) {
    return e.dir.path() + QDir::separator() + name;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A full disk for this process: files cannot grow beyond `bytes` while it lives. The signal the
// kernel would send is ignored, so writes fail with an error instead.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// The texts of the messages shown so far.
inline QStringList shownTexts(const FakeEditor& e) {
    QStringList texts;
    for (const RecordedMessage& m : e.fake.prompts.shown)
        texts << m.text;
    return texts;
}

inline QString savePrompt(const QString& where) {
    return where + QStringLiteral("の内容が変更されています。保存しますか？");
}

inline const QString kSaveFailed = QStringLiteral("保存時にエラーが発生しました。");
inline const QString kLoadFailed =
    QStringLiteral("エラーが発生しました。ファイルが大きすぎるようです。");
inline const QString kRecentMissing =
    QStringLiteral("Errorが発生しました。ファイルが存在しないようです。");
