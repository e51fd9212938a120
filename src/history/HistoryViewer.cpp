#include "history/HistoryViewer.h"

#include "history/ClipboardCommands.h"
#include "history/ClipboardPanels.h"
#include "history/UndoHistory.h"

namespace {

const QString kCurrent = QStringLiteral("現在");
const QString kUnlimited = QStringLiteral("Undo回数：無制限");
const QString kRestoreQuestion = QStringLiteral("この状態に戻しますか？");
const QString kCopyQuestion =
    QStringLiteral("この文字列をクリップボードにコピーします。よろしいですか？");
// The maxUndo() value of the setting "設定しない".
constexpr int kNoLimit = 10000;

QString ago(int i) {
    return QString::number(i) + QStringLiteral("つ前");
}

QString dataLabel(const QString& which) {
    return QStringLiteral("データ : (") + which + QStringLiteral(")");
}

} // namespace

HistoryViewer::HistoryViewer(CommandContext& ctx, TextBox& text1, HistoryViewerPort& port,
                             Mode mode)
    : m_ctx(ctx), m_text1(text1), m_port(port), m_mode(mode) {}

void HistoryViewer::onLoad() {
    const AppState& s = m_ctx.state;
    m_port.addItem(kCurrent);
    if (m_mode == Mode::Clipboard) {
        m_port.setCaption(QStringLiteral("クリップボードデータの履歴 "));
        m_port.setLabelText(1, QStringLiteral("クリップボード履歴"));
        for (int i = 1; i <= s.ClipHistoryCount - 2; ++i)
            m_port.addItem(ago(i));
        m_port.setLabelText(5, QStringLiteral("クリップボード履歴の総数：") +
                                   QString::number(m_port.itemCount() - 1) + QStringLiteral("個"));
        m_port.selectItem(0);
        QString clip;
        if (m_ctx.services.clipboard.text(clip)) m_text1.setText(clip);
        return;
    }
    for (int i = 1; i <= m_ctx.history.undoCount() - 1; ++i)
        m_port.addItem(ago(i));
    m_port.selectItem(0);
    m_port.setLabelText(4, dataLabel(kCurrent));
    m_port.setLabelText(5, QStringLiteral("Undo履歴の総数：") +
                               QString::number(m_port.itemCount() - 1) + QStringLiteral("個"));
    m_port.setLabelText(6, m_ctx.history.maxUndo() == kNoLimit
                               ? kUnlimited
                               : QStringLiteral("Undo回数：") + QString::number(m_ctx.history.maxUndo()) +
                                     QStringLiteral("回まで"));
    refreshCounts();
}

void HistoryViewer::onEntryClicked(int index) {
    const AppState& s = m_ctx.state;
    if (index < 0) return;
    if (m_mode == Mode::Clipboard) {
        if (index == 0) {
            QString clip;
            if (m_ctx.services.clipboard.text(clip)) m_text1.setText(clip);
        } else if (index + 1 < s.ClipHistory.size()) {
            m_text1.setText(s.ClipHistory[index + 1]);
        }
        return;
    }
    if (index == 0) {
        m_text1.setText(m_ctx.text.text());
        m_port.setLabelText(4, dataLabel(kCurrent));
    } else {
        if (index + 1 > m_ctx.history.undoSlots().size()) return;
        const Checkpoint& c = m_ctx.history.undoSlots()[index + 1];
        m_text1.setText(c.text());
        m_text1.setSelStart(c.position());
        m_port.setLabelText(4, dataLabel(ago(index)));
    }
    refreshCounts();
}

void HistoryViewer::refreshCounts() {
    AppState& s = m_ctx.state;
    s.LineTotal = m_text1.lineCount();
    s.CharTotal = m_text1.length() - 2 * s.LineTotal + 2;
    m_port.setLabelText(3, QStringLiteral("総行数\r\n  ") + QString::number(s.LineTotal) +
                               QStringLiteral("\r\n総文字数\r\n  ") + QString::number(s.CharTotal));
}

void HistoryViewer::onEntryDoubleClicked(int index) {
    if (index < 0) return;
    if (m_mode == Mode::Undo)
        restore();
    else
        copyBack();
}

void HistoryViewer::restore() {
    const MsgAnswer answer = m_ctx.services.prompts.message(kRestoreQuestion, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) return;
    // The text as it stands would be replaced without a trace.
    m_ctx.history.record(m_ctx.text);
    m_ctx.text.setText(m_text1.text());
    m_ctx.history.record(m_ctx.text);
    m_port.closeDialog();
}

void HistoryViewer::copyBack() {
    const MsgAnswer answer = m_ctx.services.prompts.message(kCopyQuestion, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) return;
    AppState& s = m_ctx.state;
    m_ctx.history.record(m_ctx.text);
    const QString text = m_text1.text();
    pushClipHistory(s, text);
    m_ctx.services.clipboard.setText(text);
    clippanels::refreshClipboardPanel(s, m_ctx.services.clipboard, m_ctx.window,
                                      clippanels::kLongAfterCopy);
    m_port.closeDialog();
}

void HistoryViewer::onUnload() {
}
