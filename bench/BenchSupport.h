#pragma once

#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// About 10 MB of CP932 in 200,000 CR LF lines of Japanese prose.
inline QString largeDocument() {
    const QString sentence =
        QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。");
    QString text;
    text.reserve(5'200'000);
    for (int i = 0; i < 200'000; ++i) {
        text += QStringView(sentence).left(20 + i % 12);
        text += QStringLiteral("abc%1").arg(i % 1000);
        if (i + 1 < 200'000) text += QStringLiteral("\r\n");
    }
    return text;
}

// The large document as a file, written once per program.
struct LargeFile {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/large.txt");
    LargeFile() {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(largeDocument()));
    }
};

inline LargeFile& largeFile() {
    static LargeFile file;
    return file;
}

// main() of a benchmark that needs widgets: offscreen unless a platform is chosen.
#define PALLO_WIDGET_BENCHMARK_MAIN()                                                              \
    int main(int argc, char** argv) {                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }

// The same for benchmarks of engines without widgets.
#define PALLO_CORE_BENCHMARK_MAIN()                                                                \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication app(argc, argv);                                                          \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
