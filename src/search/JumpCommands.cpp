#include "search/JumpCommands.h"

namespace search {

void jumpToTop(CommandContext& ctx) {
    ctx.text.setSelStart(0);
    ctx.window.refreshStatus();
}

void jumpToEnd(CommandContext& ctx) {
    ctx.text.setSelStart(ctx.text.length());
    ctx.window.refreshStatus();
}

std::optional<qint32> jumpTarget(const QString& typed) {
    QString ascii;
    ascii.reserve(typed.size());
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            ascii.append(QChar(u - 0xFF01 + 0x21));
        else if (u == 0x3000)
            ascii.append(u' ');
        else if (u == 0x2212) // the minus sign some input methods give for "-"
            ascii.append(u'-');
        else
            ascii.append(c);
    }
    const QString trimmed = ascii.trimmed();
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) ++i;
    if (i == trimmed.size()) return std::nullopt;
    for (qsizetype k = i; k < trimmed.size(); ++k)
        if (trimmed[k] < u'0' || trimmed[k] > u'9') return std::nullopt;
    bool ok = false;
    const qint32 value = trimmed.toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

int lineStartOf(TextBox& text, int line) {
    int low = 0;
    int high = text.length();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (text.lineFromChar(mid) < line)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

int JumpLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

QVariant JumpLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return QStringLiteral(" ") + QString::number(index.row() + 1);
}

Jump::Jump(CommandContext& ctx, JumpDialogPort& dialog) : m_ctx(ctx), m_dialog(dialog) {}

QString Jump::rangeCaption() const {
    return QStringLiteral("範囲：0～") + QString::number(m_ctx.state.LineTotal - 1);
}

QString Jump::outOfRangeMessage(int lastLine) {
    return QStringLiteral("0～") + QString::number(lastLine) +
           QStringLiteral("の行番号を入力してください。");
}

// The target is checked against the line count as it is now, so the line looked for exists;
// out of range, the caret stays and the dialog stays open for a new number.
void Jump::onJumpClicked() {
    const QString typed = m_dialog.target();
    if (typed.isEmpty()) return;
    TextBox& text = m_ctx.text;
    const int lines = text.lineCount();
    const std::optional<qint32> target = jumpTarget(typed);
    if (!target || *target < 0 || *target >= lines) {
        m_ctx.services.prompts.message(outOfRangeMessage(lines - 1));
        return;
    }
    m_ctx.services.pointer.setBusy(true);
    text.setSelStart(lineStartOf(text, *target));
    m_ctx.window.refreshStatus();
    m_ctx.services.pointer.setBusy(false);
    m_dialog.unload();
}

void Jump::onCancelClicked() {
    m_cancelJump = true;
    m_dialog.unload();
}

} // namespace search
