#pragma once

#include "command/CommandContext.h"

#include <QAbstractListModel>
#include <QString>
#include <optional>

namespace search {

// カーソルを先頭へ / カーソルを末尾へ.
void jumpToTop(CommandContext& ctx);
void jumpToEnd(CommandContext& ctx);

// A line number as typed: blanks around it and a sign allowed, full-width digits, signs and
// blanks read as their ASCII forms (the input method may be left in hiragana mode). nullopt
// when it is not a whole number or does not fit 32 bits.
std::optional<qint32> jumpTarget(const QString& typed);
// The first position the line service puts on `line` (the start of a visual row when lines
// wrap). The line service grows with the position, so a binary search finds it.
int lineStartOf(TextBox& text, int line);

// The jump dialog's list: " 1" to " n-1" for a text of n lines, made on demand rather than
// stored, so that a long document's list costs nothing to fill.
class JumpLines : public QAbstractListModel {
    Q_OBJECT
public:
    explicit JumpLines(int lineTotal, QObject* parent = nullptr)
        : QAbstractListModel(parent), m_rows(lineTotal > 1 ? lineTotal - 1 : 0) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int m_rows;
};

// What the jump dialog (JumpDialog) shows.
class JumpDialogPort {
public:
    virtual ~JumpDialogPort() = default;
    virtual QString target() const = 0; // Combo1's text
    virtual void unload() = 0;
};

// The jump dialog's logic.
class Jump {
public:
    Jump(CommandContext& ctx, JumpDialogPort& dialog);

    // Label2, from the line count of the last status refresh.
    QString rangeCaption() const;
    int lineTotal() const { return m_ctx.state.LineTotal; }
    void onJumpClicked();
    void onCancelClicked();
    bool cancelJump() const { return m_cancelJump; }

    static QString outOfRangeMessage(int lastLine);

private:
    CommandContext& m_ctx;
    JumpDialogPort& m_dialog;
    bool m_cancelJump = false;
};

} // namespace search
