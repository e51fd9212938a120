#pragma once

#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "state/AppState.h"
#include "support/FakeServices.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// A main window over a temporary program folder with scripted services.
class MainFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeServiceSet fake;
    AppState state;
    std::unique_ptr<MainWindow> form;

    QString path(const QString& name) const { return dir.path() + QDir::separator() + name; }
    QString iniPath() const { return path(QStringLiteral("Pallo.ini")); }
    QString backupPath() const { return path(QStringLiteral("PalloBackup.txt")); }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeIni(const QByteArray& lines) const { writeFile(QStringLiteral("Pallo.ini"), lines); }

    MainWindow& start(const QString& commandLine = QString(), const QString& programDir = {}) {
        form = std::make_unique<MainWindow>(state, fake.services,
                                         programDir.isEmpty() ? dir.path() : programDir);
        form->load(commandLine);
        settle();
        return *form;
    }
    // Lets the idle-time layout finish so the status panel is exact.
    void settle() const {
        QElapsedTimer t;
        t.start();
        while (!form->layoutComplete() && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }
};
