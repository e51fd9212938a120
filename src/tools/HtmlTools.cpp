#include "tools/HtmlTools.h"
#include "documents/DocumentSession.h"

#include "command/CommandContext.h"
#include "command/Settings.h"
#include "history/ClipboardPanels.h"
#include "history/UndoHistory.h"
#include "platform/TextBox.h"
#include "platform/TextCompare.h"
#include "tools/BlankRemoval.h"

#include <QElapsedTimer>
#include <QScopeGuard>

namespace html {

namespace {

const QString kHead = QStringLiteral("<HTML>\r\n<HEAD>\r\n</HEAD>\r\n");
const QString kTail = QStringLiteral("</HTML>");
const QString kLineBreakTag = QStringLiteral("<BR>\r\n");
const QString kHtmlDone = QStringLiteral("簡易HTML化が終了しました。");
const QString kHtmlError = QStringLiteral("エラーが発生しました。");
const QString kLinkMarker = QStringLiteral("A href=\"");
const QString kQuote = QStringLiteral("\"");
const QString kLinksCopied =
    QStringLiteral("リンク先を抽出しました。結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞにコピーしました。");
const QString kNoLinks = QStringLiteral("リンク先は見つかりませんでした。");
constexpr int kTagCount = 16;
constexpr qint64 kEventsEveryMs = 25;

} // namespace

QString simpleHtml(QStringView text) {
    QString body = text.toString();
    body.replace(kCrLf, kLineBreakTag);
    return kHead + body + kTail;
}

void makeSimpleHtml(CommandContext& ctx) {
    try {
        ctx.history.record(ctx.text);
        ctx.text.setText(simpleHtml(ctx.text.text()));
        ctx.text.setSelStart(ctx.text.length());
    } catch (...) {
        ctx.services.prompts.message(kHtmlError);
        return;
    }
    ctx.services.prompts.message(kHtmlDone);
}

QString removeTag(QStringView text, QStringView name, bool closing) {
    QString out;
    qsizetype copied = 0;
    const qsizetype inner = closing ? 2 : 1;
    for (qsizetype lt = text.indexOf(u'<'); lt >= 0; lt = text.indexOf(u'<', lt + 1)) {
        const qsizetype close = lt + inner + name.size();
        if (close >= text.size() || text[close] != u'>') continue;
        if (closing && text[lt + 1] != u'/') continue;
        if (!textcmp::equal(text.sliced(lt + inner, name.size()), name)) continue;
        if (out.isNull()) out.reserve(text.size());
        out.append(text.sliced(copied, lt - copied));
        copied = close + 1;
        lt = close;
    }
    if (copied == 0) return text.toString();
    out.append(text.sliced(copied));
    return out;
}

void copyLinkTargets(CommandContext& ctx) {
    const QString& text = ctx.text.text();
    QStringList targets;
    int searchAt = 0;
    int lastStart = -1, lastLength = 0;
    for (;;) {
        const int found = textcmp::inStr(searchAt + 1, text, kLinkMarker);
        if (found == 0) break;
        searchAt = found;
        const int quote = textcmp::inStr(found + kLinkMarker.size(), text, kQuote);
        // A link without its closing quote ends the search, as the end of the text would.
        if (quote == 0) break;
        lastStart = found + kLinkMarker.size() - 1;
        lastLength = quote - found - kLinkMarker.size();
        targets.append(text.mid(lastStart, lastLength));
    }
    if (lastStart >= 0) ctx.text.setSelection(lastStart, lastLength);

    QString result;
    for (auto it = targets.crbegin(); it != targets.crend(); ++it)
        result += *it + kCrLf;
    ctx.services.prompts.message(result.isEmpty() ? kNoLinks : kLinksCopied, MsgButtons::OK,
                                 MsgIcon::Information);
    // Nothing found leaves the clipboard alone: it may hold another program's only copy.
    if (!result.isEmpty()) ctx.services.clipboard.setText(result);
    clippanels::refreshClipboardPanel(ctx.state, ctx.services.clipboard, ctx.window);
}

// ---------------------------------------------------------------- text extraction

TextExtractor::TextExtractor(CommandContext& ctx, WorkingWindowPort& window)
    : m_ctx(ctx), m_window(window) {}

QString TextExtractor::questionText() {
    return QStringLiteral("テキストを抽出しました。続けて空白・空白行の両方削除をしますか？");
}

QString TextExtractor::notHtmlQuestion() {
    return QStringLiteral("htmlファイルではありませんが、実行しますか？");
}

QString TextExtractor::prePass(const QString& text) const {
    const QString ini = settings::iniPath(m_ctx.programDir);
    QString work = text;
    for (int i = 0; i < kTagCount; ++i) {
        const QString name = readSetting(settings::kSection, settings::key::extractTag(i), ini);
        work = removeTag(work, name, false);
        work = removeTag(work, name, true);
    }
    return work;
}

// Removing the first tag leaves no "<" before the place it stood, so the next first tag is
// always further on: one forward pass removes exactly what the tag-by-tag loop removes.
bool TextExtractor::tagLoop(const QString& work, QString& result) {
    result.reserve(work.size());
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    m_ctx.services.pump.doEvents();
    qsizetype from = 0;
    bool allRemoved = false;
    for (;;) {
        if (sinceEvents.elapsed() >= kEventsEveryMs) {
            m_ctx.services.pump.doEvents();
            sinceEvents.restart();
        }
        if (m_stopRequested || m_changedElsewhere) break;
        const qsizetype lt = work.indexOf(u'<', from);
        if (lt < 0) {
            allRemoved = true;
            break;
        }
        const qsizetype gt = work.indexOf(u'>', lt + 1);
        if (gt < 0) break;
        result.append(QStringView(work).sliced(from, lt - from));
        from = gt + 1;
    }
    result.append(QStringView(work).sliced(from));
    return allRemoved;
}

void TextExtractor::extractText() {
    if (m_running) return;
    const QString ending = m_ctx.document.path().right(3);
    if (ending == u"TXT" || ending == u"txt") {
        if (m_ctx.services.prompts.message(notHtmlQuestion(), MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
    }
    m_running = true;
    m_stopRequested = false;
    m_changedElsewhere = false;
    m_ctx.services.pointer.setBusy(true);
    m_ctx.window.setInputBlocked(true);
    m_window.showWorking();
    const auto restore = qScopeGuard([this] {
        m_window.closeWorking();
        m_ctx.window.setInputBlocked(false);
        m_ctx.services.pointer.setBusy(false);
        m_running = false;
    });

    m_ctx.history.record(m_ctx.text);
    const QString work = prePass(m_ctx.text.text());

    bool allRemoved = false;
    QString result;
    {
        const QMetaObject::Connection watch =
            QObject::connect(&m_ctx.text, &TextBox::changed, [this] { m_changedElsewhere = true; });
        allRemoved = tagLoop(work, result);
        QObject::disconnect(watch);
    }
    if (m_changedElsewhere) return;
    m_ctx.text.setText(result);
    if (!allRemoved || m_stopRequested) return;
    if (m_ctx.services.prompts.message(questionText(), MsgButtons::YesNo) == MsgAnswer::Yes) {
        m_ctx.text.setSelStart(0);
        blanks::removeSpacesAndBlankLines(m_ctx);
    }
}

} // namespace html
