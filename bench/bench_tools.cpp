// The text tools in the shown main window with the view attached: text extraction, link
// extraction, sentence-ending insertion, the character-class conversions and blank removal.
#include "history/UndoHistory.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/QtServices.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeWindow.h"
#include "tools/CharConversions.h"
#include "tools/ui/EndingInsertionDialog.h"

#include "BenchSupport.h"
#include "BenchWindow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// An HTML page of about `bytes` bytes in CP932 holding `tags` tags.
QString htmlPage(qsizetype bytes, int tags) {
    const QString filler = QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたか");
    QString text;
    const qsizetype textPerTag = bytes / tags;
    for (int i = 0; i < tags; ++i) {
        text += i % 2 ? QStringLiteral("</p>") : QStringLiteral("<p class=\"x\">");
        text += QStringView(filler).left(std::min<qsizetype>(filler.size(), textPerTag / 2 - 4));
        if (i % 10 == 9) text += QStringLiteral("\r\n");
    }
    return text;
}

QString linkPage(int links) {
    QString text;
    for (int i = 0; i < links; ++i)
        text += QStringLiteral("<li><A href=\"https://example.org/page%1.html\">項目%1</A>"
                               "の説明がここに入ります。説明文。\r\n")
                    .arg(i);
    return text;
}

// Prose with `marks` sentence ends over about 10 MB.
QString markedDocument(int marks) {
    QString text = largeDocument();
    const qsizetype step = text.size() / marks;
    for (qsizetype at = step / 2, n = 0; n < marks && at < text.size(); at += step, ++n)
        if (text[at] != u'\r' && text[at] != u'\n') text[at] = u'。';
    return text;
}

struct ToolWindow : BenchWindow {
    QElapsedTimer clock;
    qint64 messageAt = -1;

    explicit ToolWindow(const QString& text) : BenchWindow(true) {
        const QString path = writeFile(QStringLiteral("doc.html"), text);
        w->history().setMaxUndo(10);
        openDocument(path);
        fake.prompts.whileOpen = [this] {
            if (messageAt < 0) messageAt = clock.nsecsElapsed();
        };
    }
    // Runs a menu command; the time until its first message, or until it returned.
    double run(const QString& command) {
        fake.prompts.answers.enqueue(MsgAnswer::No);
        clock.start();
        w->runCommand(command);
        const qint64 end = messageAt >= 0 ? messageAt : clock.nsecsElapsed();
        messageAt = -1;
        // The view's idle layout of the new text is not part of the command.
        waitForLayout();
        return end / 1e6;
    }
};

void extract(benchmark::State& st, qsizetype bytes, int tags) {
    const QString page = htmlPage(bytes, tags);
    for (auto _ : st) {
        st.PauseTiming();
        ToolWindow tw(page);
        st.counters["ms_to_question"] = tw.run(QStringLiteral("mnutxt"));
        st.counters["chars_left"] = tw.w->text().length();
        st.ResumeTiming();
    }
}

void BM_ExtractTextOneMegabyte(benchmark::State& st) {
    extract(st, 1'000'000, 50'000);
}
BENCHMARK(BM_ExtractTextOneMegabyte)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExtractTextTenMegabytes(benchmark::State& st) {
    extract(st, 10'000'000, 500'000);
}
BENCHMARK(BM_ExtractTextTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExtractLinksOneMegabyte(benchmark::State& st) {
    const QString page = linkPage(10'000);
    for (auto _ : st) {
        st.PauseTiming();
        ToolWindow tw(page);
        st.counters["ms_to_message"] = tw.run(QStringLiteral("mnulink"));
        st.counters["clipboard_chars"] = tw.fake.clipboard.content.size();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ExtractLinksOneMegabyte)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_EndingInsertionTenMegabytes(benchmark::State& st) {
    const QString text = markedDocument(250'000);
    for (auto _ : st) {
        st.PauseTiming();
        ToolWindow tw(text);
        tw.w->runCommand(QStringLiteral("mnuGobi"));
        auto* dialog = tw.w->findChild<EndingInsertionDialog*>();
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("ニャ"));
        tw.clock.start();
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        st.counters["ms_to_message"] = tw.messageAt / 1e6;
        st.counters["chars"] = tw.w->text().length();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_EndingInsertionTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every conversion and blank removal on the 10 MB document, one after another in one window.
void BM_WholeTextToolsTenMegabytes(benchmark::State& st) {
    const char* commands[] = {"mnuWide",  "mnuNarrow",  "mnuKatakana",    "mnuHiragana", "mnuUcase",
                              "mnuLcase", "mnukuuhaku", "mnukuuhakugyou", "mnuryouhou"};
    for (auto _ : st) {
        st.PauseTiming();
        ToolWindow tw(largeDocument());
        for (const char* c : commands)
            st.counters[std::string("ms_") + c] = tw.run(QLatin1String(c));
        st.ResumeTiming();
    }
}
BENCHMARK(BM_WholeTextToolsTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same conversion on the document model alone, without a view.
void BM_WideOnTheModelTenMegabytes(benchmark::State& st) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    const QString text = largeDocument();
    for (auto _ : st) {
        st.PauseTiming();
        e.text.setText(text);
        st.ResumeTiming();
        charconv::convertDocument(e.ctx, charconv::Conversion::Wide);
    }
}
BENCHMARK(BM_WideOnTheModelTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
