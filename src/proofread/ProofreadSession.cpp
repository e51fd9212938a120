#include "proofread/ProofreadSession.h"

#include "command/Settings.h"
#include "documents/DocumentFile.h"
#include "proofread/MorphAnalyzer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace proofread {

namespace {

// Settings keys in section "data" of Pallo.ini: one per check ("0" switches it off), the two
// limits, and the two ways of running.
const QString kCheckKeys[kCheckCount] = {
    QStringLiteral("kouseibuntai"),  QStringLiteral("kouseijoshi"),  QStringLiteral("kouseiranuki"),
    QStringLiteral("kouseirenzoku"), QStringLiteral("kouseinagasa"), QStringLiteral("kouseitouten"),
    QStringLiteral("kouseiyure"),
};
const QString kMaxLengthKey = QStringLiteral("kouseimojisu");
const QString kMaxCommasKey = QStringLiteral("kouseitoutensu");
const QString kLiveKey = QStringLiteral("kouseizuiji");
const QString kSelectionKey = QStringLiteral("kouseisentaku");

int readNumber(const QString& value, int fallback, int low, int high) {
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? std::clamp(n, low, high) : fallback;
}

} // namespace

ProofreadSession::ProofreadSession(CommandContext& ctx, ProofreadWindowPort& window,
                                   MorphAnalyzer* analyzer)
    : m_ctx(ctx), m_window(window), m_analyzer(analyzer),
      m_reader(std::make_unique<Proofreader>(ctx.text, analyzer)) {}

ProofreadSession::~ProofreadSession() = default;

QString ProofreadSession::wordListPath() const {
    return m_ctx.programDir + QDir::separator() + VariantIndex::userListFileName();
}

void ProofreadSession::load() {
    const QString ini = settings::iniPath(m_ctx.programDir);
    auto read = [&](const QString& key) { return readSetting(settings::kSection, key, ini); };
    for (int i = 0; i < kCheckCount; ++i)
        m_options.enabled[std::size_t(i)] = read(kCheckKeys[i]) != u"0";
    m_options.maxSentenceLength = readNumber(read(kMaxLengthKey), 100, 1, 9999);
    m_options.maxCommas = readNumber(read(kMaxCommasKey), 3, 0, 99);
    m_live = read(kLiveKey) != u"0";
    m_selectionOnly = read(kSelectionKey) == u"1";
    readWordList();
    m_window.showProblem(m_analyzer && m_analyzer->available()
                             ? QString()
                             : (m_analyzer ? m_analyzer->problem()
                                           : QStringLiteral("形態素解析（MeCab）が使えません。")));
}

void ProofreadSession::readWordList() {
    QString list;
    if (QFile::exists(wordListPath())) readDocumentFile(wordListPath(), list);
    // A new list makes every sentence's spellings count anew; an unchanged one keeps them.
    if (list == m_wordList && m_wordListRead) return;
    m_wordList = list;
    m_wordListRead = true;
    m_reader->setUserWordList(list);
}

void ProofreadSession::saveOptions() const {
    const QString ini = settings::iniPath(m_ctx.programDir);
    auto write = [&](const QString& key, const QString& value) {
        writeSetting(settings::kSection, key, ini, value);
    };
    for (int i = 0; i < kCheckCount; ++i)
        write(kCheckKeys[i], m_options.enabled[std::size_t(i)] ? u"1"_qs : u"0"_qs);
    write(kMaxLengthKey, QString::number(m_options.maxSentenceLength));
    write(kMaxCommasKey, QString::number(m_options.maxCommas));
    write(kLiveKey, m_live ? u"1"_qs : u"0"_qs);
    write(kSelectionKey, m_selectionOnly ? u"1"_qs : u"0"_qs);
}

void ProofreadSession::setCheckEnabled(Check check, bool on) {
    m_options.enabled[std::size_t(check)] = on;
    saveOptions();
    refresh();
}

void ProofreadSession::setMaxSentenceLength(int n) {
    m_options.maxSentenceLength = std::max(1, n);
    saveOptions();
    refresh();
}

void ProofreadSession::setMaxCommas(int n) {
    m_options.maxCommas = std::max(0, n);
    saveOptions();
    refresh();
}

void ProofreadSession::setLive(bool on) {
    m_live = on;
    saveOptions();
    // Results that stopped following the text are only right again after a new run.
    if (on && m_stale) recheck();
}

void ProofreadSession::setSelectionOnly(bool on) {
    m_selectionOnly = on;
    saveOptions();
}

void ProofreadSession::recheck() {
    if (m_running) return;
    TextBox& box = m_ctx.text;
    int from = 0, to = box.length();
    if (m_selectionOnly && box.selLength() > 0) {
        from = box.selStart();
        to = from + box.selLength();
    }
    readWordList();
    m_running = true;
    m_cancelRequested = false;
    m_editedDuringRun = false;
    m_stale = false;
    m_ctx.services.pointer.setBusy(true);
    // Events run every few milliseconds (a step is 128 sentences) so キャンセル answers; the
    // bar shows only once a run has taken long enough to be worth watching.
    QElapsedTimer sinceStart;
    sinceStart.start();
    const bool done = m_reader->run(from, to, [&](int doneCount, int total) {
        if (sinceStart.elapsed() >= 200) m_window.showProgress(doneCount, total);
        m_ctx.services.pump.doEvents();
        return !m_cancelRequested && !m_editedDuringRun;
    });
    m_ctx.services.pointer.setBusy(false);
    m_window.showProgress(0, 0);
    m_running = false;
    if (!done) {
        m_findings.clear();
        m_stale = false;
        m_window.showFindings(m_findings);
        m_window.showStatus(m_editedDuringRun
                                ? QStringLiteral("本文が変わったので校正を中止しました。")
                                : QStringLiteral("校正を中止しました。"));
        return;
    }
    refresh();
}

void ProofreadSession::refresh() {
    m_refreshPending = false;
    if (!m_reader->hasRun()) return;
    // A still list keeps what it showed: the results belong to the text as it was.
    if (!m_stale) {
        m_findings = m_reader->findings(m_options);
        m_window.showFindings(m_findings);
    }
    QString status = QStringLiteral("%1件").arg(m_findings.size());
    if (!m_reader->coversWholeText()) status += QStringLiteral("（選択範囲）");
    if (m_stale) status += QStringLiteral("　本文が変わりました。再チェックで調べ直します。");
    m_window.showStatus(status);
}

void ProofreadSession::select(int row) {
    if (row < 0 || row >= int(m_findings.size())) return;
    const Finding& f = m_findings[std::size_t(row)];
    m_ctx.text.setSelStart(f.start);
    m_ctx.text.setSelLength(f.length);
    // The status bar shows the line and position the list gave.
    m_ctx.window.refreshStatus();
}

void ProofreadSession::textReplaced(int pos, int removed, const QString& inserted) {
    if (m_running) {
        m_editedDuringRun = true; // the run stops at its next look at the events
        return;
    }
    if (!m_reader->hasRun()) return;
    if (!m_live) {
        // The writer keeps the list still: its positions no longer follow the text.
        if (!m_stale) {
            m_stale = true;
            refresh();
        }
        return;
    }
    m_reader->textReplaced(pos, removed, int(inserted.size()));
    if (m_ctx.text.inBatch())
        m_refreshPending = true;
    else
        refresh();
}

void ProofreadSession::batchEnded() {
    if (m_refreshPending) refresh();
}

} // namespace proofread
