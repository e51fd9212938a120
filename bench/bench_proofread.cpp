// 校正 over a novel-sized document: all checks over 1 MB (Shift_JIS) of varied prose from a
// cold start, and the re-check after one typed character when the checks follow edits.
#include "platform/Cp932Codec.h"
#include "platform/TextBox.h"
#include "proofread/MorphAnalyzer.h"
#include "proofread/Proofreader.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// Sentences built from parts, so that nearly every sentence of the document is a new one
// (as in a real novel) and the checks have something to find now and then.
QString novel(qsizetype cp932Bytes) {
    const QStringList when{u"朝"_qs,   u"昨日の夜"_qs, u"その日"_qs, u"冬の午後"_qs,
                           u"翌朝"_qs, u"三日後"_qs,   u"夕方"_qs,   u"雨の日"_qs};
    const QStringList who{u"私"_qs,   u"彼"_qs,         u"母"_qs,       u"少女"_qs, u"老人"_qs,
                          u"先生"_qs, u"子どもたち"_qs, u"子供たち"_qs, u"兄"_qs};
    const QStringList where{u"駅"_qs,     u"海辺の町"_qs,   u"古い図書館"_qs, u"台所"_qs,
                            u"山の上"_qs, u"病院の廊下"_qs, u"サーバー室"_qs};
    const QStringList what{u"手紙"_qs, u"古い写真"_qs, u"青い傘"_qs, u"地図"_qs,
                           u"鍵"_qs,   u"本"_qs,       u"時計"_qs};
    const QStringList did{u"見つけた"_qs,         u"静かに読んだ"_qs,   u"そっと置いた"_qs,
                          u"探していた"_qs,       u"忘れてしまった"_qs, u"見れなかった"_qs,
                          u"持っていきました"_qs, u"大事にしている"_qs};
    QString text;
    qsizetype bytes = 0;
    for (int i = 0; bytes < cp932Bytes; ++i) {
        QString s = when[i % when.size()] + u'、' + who[(i / 8) % who.size()] + u'は' +
                    where[(i / 72) % where.size()] + u'で' + what[(i / 7) % what.size()] + u'を' +
                    did[(i / 3) % did.size()] + u'。';
        if (i % 4 == 1)
            s += u'「' + what[i % what.size()] +
                 QStringLiteral("は%1年前のものです。").arg(i % 97) + u"まだ使えますか」と"_qs +
                 who[i % who.size()] + u"は言った。"_qs;
        if (i % 6 == 5) s += u"\r\n　"_qs;
        bytes += cp932::encode(s).size();
        text += s;
    }
    return text;
}

proofread::MorphAnalyzer& analyzer() {
    static proofread::MorphAnalyzer a;
    return a;
}

const QString& megabyte() {
    static const QString text = novel(1'000'000);
    return text;
}

void BM_AllChecksOverOneMegabyte(benchmark::State& state) {
    TextBox box;
    box.setText(megabyte());
    std::size_t findings = 0;
    for (auto _ : state) {
        proofread::Proofreader reader(box, &analyzer());
        reader.run(0, box.length());
        findings = reader.findings({}).size();
        state.counters["sentences"] = reader.sentenceCount();
    }
    state.counters["findings"] = double(findings);
    state.counters["chars"] = box.length();
}
BENCHMARK(BM_AllChecksOverOneMegabyte)->Unit(benchmark::kMillisecond)->Iterations(3);

// One key typed in the middle of the document, the checks following it, and the findings
// listed again: what live checking costs a keystroke.
void BM_RecheckAfterOneKey(benchmark::State& state) {
    TextBox box;
    box.setText(megabyte());
    proofread::Proofreader reader(box, &analyzer());
    reader.run(0, box.length());
    int pos = box.length() / 2;
    for (auto _ : state) {
        box.replace(pos, 0, QStringLiteral("あ"));
        reader.textReplaced(pos, 0, 1);
        benchmark::DoNotOptimize(reader.findings({}));
        ++pos;
    }
}
BENCHMARK(BM_RecheckAfterOneKey)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

PALLO_CORE_BENCHMARK_MAIN()
