#include "style/EndingConfirmation.h"

#include "platform/TextCompare.h"
#include "style/StyleConverter.h"

#include <algorithm>

namespace style {

namespace {

constexpr int kWindow = 8;  // seven characters and the full stop
constexpr int kContext = 3; // the first three of them are kept
constexpr int kEnding = kWindow - kContext - 1;

} // namespace

EndingConfirmation::EndingConfirmation(CommandContext& ctx, StyleConverter& run)
    : m_ctx(ctx), m_run(run) {}

void EndingConfirmation::onLoad() {
    TextBox& text = m_ctx.text;
    const AppState& state = m_ctx.state;
    const int mark = state.FoundAt - 1; // 0-based
    // The window never reaches back before the text or across a line break, and the ending a
    // conversion replaces never takes in the full stop of the sentence before (the context may
    // keep it): either way two lines or sentences would run together. What is missing is
    // missing from the front, so the ending keeps its place right before the full stop.
    int start = std::max(0, mark - (kWindow - 1));
    const QString& all = text.text();
    const char16_t fullStop = textcmp::fold(u'。');
    for (int i = mark - 1; i >= start; --i) {
        const char16_t c = all.at(i).unicode();
        if (c == u'\r' || c == u'\n' || (i >= mark - kEnding && textcmp::fold(c) == fullStop)) {
            start = i + 1;
            break;
        }
    }
    text.setSelection(start, mark + 1 - start);
    const QString window = text.selText();
    const int missing = kWindow - int(window.size());
    const int kept = std::max(0, kContext - missing);
    m_kept = window.left(kept);
    m_context = QStringLiteral("…") + m_kept;
    m_ending = window.mid(kept, window.size() - 1 - kept);

    m_line = text.lineFromChar(-1);
    m_label1 = QString::number(m_line) + QStringLiteral("行目に「") + state.OldEnding +
               QStringLiteral("」が発見されました。");
    m_title =
        m_run.plainToPolite() ? QStringLiteral("ですますを発見") : QStringLiteral("だであるを発見");
}

void EndingConfirmation::onConvertClicked(const QString& newEnding) {
    const AppState& state = m_ctx.state;
    m_run.appendReportLine(
        StyleConverter::conversionLine(m_line, state.OldEnding, newEnding));
    m_ctx.text.setSelText(m_kept + newEnding + QStringLiteral("。"));
}

void EndingConfirmation::onIgnoreClicked() {
    m_run.appendReportLine(QString::number(m_ctx.text.lineFromChar(-1)) +
                           QStringLiteral("行目の「") + m_ctx.state.OldEnding + QStringLiteral("」を無視しました。"));
}

void EndingConfirmation::onUnload() {
    m_ctx.state.ConfirmClosed = true;
}

} // namespace style
