// Settings file of ten megabytes (a large second clipboard written across lines): the start-up
// reads of about forty keys, one cold read, and one write.
#include "platform/PrivateProfile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kKeys = 40;

QByteArray keyName(int i) {
    return "key" + QByteArray::number(i);
}

class ProfileFile {
public:
    ProfileFile() {
        QByteArray data = "; settings\r\n[data]\r\n2cb=";
        const QByteArray line = "\x82\xa0\x82\xa2\x82\xa4 some clipboard text = 12345\r\n";
        while (data.size() < 10 * 1024 * 1024)
            data += line;
        for (int i = 0; i < kKeys; ++i)
            data += keyName(i) + "=" + QByteArray::number(i) + "\r\n";
        QFile f(path());
        if (f.open(QIODevice::WriteOnly)) f.write(data);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("Pallo.ini")); }

private:
    QTemporaryDir m_dir;
};

const ProfileFile& file() {
    static const ProfileFile f;
    return f;
}

void BM_StartupReads10MB(benchmark::State& state) {
    const QString path = file().path();
    for (auto _ : state) {
        profile::clearCache();
        for (int i = 0; i < kKeys; ++i)
            benchmark::DoNotOptimize(profile::readString(path, "data", keyName(i)));
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_StartupReads10MB)->Unit(benchmark::kMillisecond);

void BM_CachedRead10MB(benchmark::State& state) {
    const QString path = file().path();
    profile::readString(path, "data", keyName(0));
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(profile::readString(path, "data", keyName(i++ % kKeys)));
}
BENCHMARK(BM_CachedRead10MB)->Unit(benchmark::kMicrosecond);

void BM_MissingSection10MB(benchmark::State& state) {
    const QString path = file().path();
    for (auto _ : state) {
        profile::clearCache();
        benchmark::DoNotOptimize(profile::readString(path, "nowhere", "k"));
    }
}
BENCHMARK(BM_MissingSection10MB)->Unit(benchmark::kMillisecond);

void BM_Write10MB(benchmark::State& state) {
    const QString path = file().path();
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            profile::writeString(path, "data", "top", QByteArray::number(1000 + (i++ % 2))));
}
BENCHMARK(BM_Write10MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
