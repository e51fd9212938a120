#include "style/StyleConverter.h"

#include "history/UndoHistory.h"
#include "platform/TextBox.h"
#include "platform/TextCompare.h"
#include "style/EndingConfirmation.h"
#include "style/EndingMatch.h"

namespace style {

namespace {

const QString kFullStop = QStringLiteral("。");
const QString kComma = QStringLiteral("、");
const QString kFullStopHeading = QStringLiteral("「。」を検索しています…。");
const QString kCommaHeading = QStringLiteral("「、」を検索しています…。");
const QString kClose = QStringLiteral("閉じる");

constexpr qint16 kMaxCount = 32767;

} // namespace

StyleConverter::StyleConverter(CommandContext& ctx, StyleDialogPort& dialog)
    : m_ctx(ctx), m_dialog(dialog) {}

QString StyleConverter::countCaption(int count) {
    return QStringLiteral("レポート　～%1個変換～").arg(count);
}

QString StyleConverter::finishedMessage(int count) {
    return QStringLiteral("終了しました。%1個変換しました。").arg(count);
}

QString StyleConverter::conversionLine(int line, const QString& oldEnding,
                                       const QString& replacement) {
    return QString::number(line) + QStringLiteral("行目の「") + oldEnding +
           QStringLiteral("」を「") + replacement + QStringLiteral("」に変換しました。");
}

void StyleConverter::onLoad() {
    m_stopRequested = true;
}

void StyleConverter::appendReport(const QString& piece) {
    m_report += piece;
    m_dialog.appendReport(piece);
}

void StyleConverter::appendReportLine(const QString& line) {
    appendReport(kCrLf + line);
}

StyleDirection StyleConverter::direction() const {
    return m_dialog.plainToPolite() ? StyleDirection::PlainToPolite : StyleDirection::PoliteToPlain;
}

void StyleConverter::onConvertClicked() {
    // The button is disabled for the dialog's life once a run starts; a click that still
    // arrives (queued before the disabling) must not start a run inside the run.
    if (m_running) return;
    m_running = true;
    TextBox& text = m_ctx.text;
    m_ctx.services.pointer.setBusy(true);
    m_dialog.setConvertEnabled(false);
    m_ctx.history.record(text);
    text.setSelStart(0);

    m_report.clear();
    m_dialog.clearReport();
    m_markHandled = false;
    m_stopRequested = false;
    m_ctx.state.ConfirmClosed = false;
    m_convertedCount = 0;
    m_ctx.state.ReplaceText.clear();
    appendReport(kFullStopHeading);

    bool finished = false;
    {
        TextBoxBatch batch(text);
        finished = fullStopPass() && commaPass();
    }
    m_running = false;
    if (!finished) return;

    m_ctx.services.pointer.setBusy(false);
    m_stopRequested = true;
    text.setSelStart(0);
    m_ctx.services.prompts.message(finishedMessage(m_convertedCount), MsgButtons::OK,
                                   MsgIcon::Information);
    m_dialog.setCloseCaption(kClose);
}

void StyleConverter::onCancelClicked() {
    if (!m_stopRequested) {
        m_stopRequested = true;
        m_dialog.setCloseCaption(kClose);
        return;
    }
    m_ctx.services.pointer.setBusy(false);
    m_dialog.unload();
}

// Command2 pressed twice: the first press asks a running run to stop, the second unloads.
void StyleConverter::stopAndUnload() {
    if (!m_stopRequested) onCancelClicked();
    onCancelClicked();
}

bool StyleConverter::stopNow() {
    if (!m_stopRequested) return false;
    m_ctx.services.pump.doEvents();
    return true;
}

bool StyleConverter::findNextMark(QStringView mark) {
    TextBox& text = m_ctx.text;
    AppState& state = m_ctx.state;
    // The search starts two characters after the end of the selection: the character right
    // after a mark that has just been dealt with is never examined.
    state.SearchStart = text.selStart() + text.selLength() + 3;
    state.FoundAt = textcmp::inStr(state.SearchStart, text.text(), mark);
    return state.FoundAt != 0;
}

void StyleConverter::confirmFoundEnding() {
    AppState& state = m_ctx.state;
    state.ConfirmClosed = false;
    EndingConfirmation confirmation(m_ctx, *this);
    m_dialog.showConfirmation(confirmation);
    while (!state.ConfirmClosed)
        m_ctx.services.pump.doEvents();
}

void StyleConverter::checkFoundEnding(const FoundEndingCheck& check) {
    TextBox& text = m_ctx.text;
    AppState& state = m_ctx.state;
    const int start = state.FoundAt - check.length - 1;
    if (start < 0) return;
    text.setSelection(start, check.length);
    state.OldEnding = text.selText();
    if (!isFoundEnding(text.text(), state.FoundAt, check)) return;
    confirmFoundEnding();
    m_markHandled = true;
}

bool StyleConverter::applyTable(const EndingTable& table) {
    TextBox& text = m_ctx.text;
    AppState& state = m_ctx.state;
    const int start = state.FoundAt - table.windowLength - 1;
    if (start < 0) return false;
    if (m_markHandled) return true;
    text.setSelection(start, table.windowLength);
    state.OldEnding = text.selText();
    const auto match = matchTable(text.text(), state.FoundAt, table);
    if (!match) return true;

    state.ReplaceText =
        QString::fromUtf16(match->replacement.data(), qsizetype(match->replacement.size()));
    appendReportLine(conversionLine(text.lineFromChar(-1), state.OldEnding, state.ReplaceText));
    text.setSelText(state.ReplaceText);
    if (m_convertedCount < kMaxCount) ++m_convertedCount;
    m_dialog.setReportCaption(countCaption(m_convertedCount));
    m_markHandled = true;
    return true;
}

bool StyleConverter::fullStopPass() {
    for (;;) {
        if (stopNow()) return false;
        m_ctx.services.pump.doEvents();
        if (!findNextMark(kFullStop)) return true;
        const StyleDirection now = direction();
        // Endings already in the target style go to the writer, before any table.
        for (const FoundEndingCheck& check : foundEndingChecks(now))
            checkFoundEnding(check);
        for (const EndingTable* table : endingChain(now, EndingMark::FullStop))
            applyTable(*table);
        m_markHandled = false;
        m_ctx.services.pump.doEvents();
    }
}

bool StyleConverter::commaPass() {
    // A stop asked for at the very end of the full-stop pass is still honoured: the comma pass
    // does not begin.
    if (stopNow()) return false;
    appendReportLine(kCommaHeading);
    m_ctx.text.setSelStart(0);
    for (;;) {
        m_ctx.services.pump.doEvents();
        if (!findNextMark(kComma)) return true;
        bool tried = false;
        for (const EndingTable* table : endingChain(direction(), EndingMark::Comma))
            tried = applyTable(*table) || tried;
        // No window fitted in front of the comma: the caret goes before it, so the walk goes
        // on after the comma as it does after every other mark.
        if (!tried) m_ctx.text.setSelStart(m_ctx.state.FoundAt - 1);
        m_markHandled = false;
        m_ctx.services.pump.doEvents();
        if (stopNow()) return false;
    }
}

} // namespace style
