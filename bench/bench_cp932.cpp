#include "platform/Cp932Codec.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <algorithm>
#include <random>

namespace {

// About 10 MB of prose-like CP932: runs of hiragana and kanji, some katakana words, punctuation
// and ASCII words or numbers, in CR LF lines of about 50 characters.
const QByteArray& japaneseText() {
    static const QByteArray text = [] {
        std::mt19937 rng(932);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        // A trail byte from 40-FC without 7F.
        auto trail = [&](int last) {
            const int t = pick(0x40, last - 1);
            return char(t + (t >= 0x7F));
        };
        QByteArray out;
        out.reserve(10'500'000);
        int column = 0;
        while (out.size() < 10'000'000) {
            const int kind = pick(0, 99);
            const int run = kind < 45 ? pick(1, 5) : kind < 75 ? pick(1, 3) : pick(2, 7);
            for (int i = 0; i < run; ++i, ++column) {
                if (kind < 45) // hiragana
                    out.append(char(0x82)).append(char(pick(0x9F, 0xF1)));
                else if (kind < 75) // kanji from rows 89-97, which are fully assigned
                    out.append(char(pick(0x89, 0x97))).append(trail(0xFC));
                else if (kind < 85) // katakana
                    out.append(char(0x83)).append(trail(0x96));
                else // ASCII words and numbers
                    out.append(char(kind < 95 ? pick('a', 'z') : pick('0', '9')));
            }
            if (kind >= 85) out.append(' ');
            if (pick(0, 5) == 0) // 、。「」
                out.append(char(0x81)).append("\x41\x42\x75\x76"[pick(0, 3)]);
            if (column >= 50) {
                out.append("\r\n");
                column = 0;
            }
        }
        return out;
    }();
    return text;
}

const QString& japaneseUnicode() {
    static const QString text = [] {
        QString decoded = cp932::decode(japaneseText());
        if (cp932::encode(decoded) != japaneseText() ||
            std::any_of(decoded.begin(), decoded.end(), [](QChar c) { return c.isSurrogate(); }))
            qFatal("benchmark text is not plain valid CP932");
        return decoded;
    }();
    return text;
}

// iconv into a buffer sized like ours, so both sides pay for the output allocation.
QByteArray iconvConvert(iconv_t cd, QByteArrayView in, qsizetype outSize) {
    QByteArray out(outSize, Qt::Uninitialized);
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    size_t srcLeft = in.size(), dstLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.truncate(dst - out.data());
    return out;
}

void BM_DecodeCp932(benchmark::State& state) {
    const QByteArray& in = japaneseText();
    for (auto _ : state)
        benchmark::DoNotOptimize(cp932::decode(in));
    state.SetBytesProcessed(state.iterations() * in.size());
}

void BM_DecodeIconv(benchmark::State& state) {
    const QByteArray& in = japaneseText();
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    for (auto _ : state)
        benchmark::DoNotOptimize(iconvConvert(cd, in, 2 * in.size()));
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * in.size());
}

// Encoding throughput is counted in CP932 bytes written, to compare with decoding.
void BM_EncodeCp932(benchmark::State& state) {
    const QString& in = japaneseUnicode();
    for (auto _ : state)
        benchmark::DoNotOptimize(cp932::encode(in));
    state.SetBytesProcessed(state.iterations() * japaneseText().size());
}

void BM_EncodeIconv(benchmark::State& state) {
    const QString& in = japaneseUnicode();
    const QByteArrayView utf16(reinterpret_cast<const char*>(in.utf16()), 2 * in.size());
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    for (auto _ : state)
        benchmark::DoNotOptimize(iconvConvert(cd, utf16, 2 * in.size()));
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * japaneseText().size());
}

BENCHMARK(BM_DecodeCp932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeIconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCp932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeIconv)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
