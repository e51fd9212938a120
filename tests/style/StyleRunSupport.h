#pragma once

#include "history/UndoHistory.h"
#include "style/EndingConfirmation.h"
#include "style/StyleConverter.h"
#include "support/FakeWindow.h"

#include <QQueue>
#include <QStringList>
#include <optional>

namespace style {

// The tables of cases write their texts as u"" literals.
inline QString q(const char16_t* s) {
    return QString::fromUtf16(s);
}

// How the writer answers one confirmation: type a new ending and convert, ignore, or close
// the window by its close box.
struct ConfirmAnswer {
    enum Kind { Convert, Ignore, CloseBox } kind = Ignore;
    QString newEnding;
};

// What the confirmation showed when it loaded.
struct ShownConfirmation {
    QString title, label1, label3, text1;
    int selStart = 0, selLength = 0;
};

// The conversion dialog without widgets: records what the run sets and answers every
// confirmation from a script (ignore when the script has run out).
class FakeStyleDialog : public StyleDialogPort {
public:
    bool option1 = true;
    QString report; // as the report box shows it
    QString caption = QStringLiteral("レポート");
    bool convertEnabled = true;
    QString closeCaption = QStringLiteral("キャンセル");
    int unloads = 0;
    QQueue<ConfirmAnswer> answers;
    QList<ShownConfirmation> confirmations;

    bool plainToPolite() const override { return option1; }
    void clearReport() override { report.clear(); }
    void appendReport(const QString& piece) override { report += piece; }
    void setReportCaption(const QString& c) override { caption = c; }
    void setConvertEnabled(bool enabled) override { convertEnabled = enabled; }
    void setCloseCaption(const QString& c) override { closeCaption = c; }
    void unload() override { ++unloads; }
    void showConfirmation(EndingConfirmation& confirmation) override {
        confirmation.onLoad();
        confirmations.append({confirmation.title(), confirmation.label1(), confirmation.label3(),
                              confirmation.text1(), m_text->selStart(), m_text->selLength()});
        const ConfirmAnswer answer = answers.isEmpty() ? ConfirmAnswer{} : answers.dequeue();
        if (answer.kind == ConfirmAnswer::Convert) {
            confirmation.onNewEndingEdited();
            confirmation.onConvertClicked(answer.newEnding);
        } else if (answer.kind == ConfirmAnswer::Ignore) {
            confirmation.onIgnoreClicked();
        }
        confirmation.onUnload();
    }

    void attach(TextBox& text) { m_text = &text; }

private:
    TextBox* m_text = nullptr;
};

// An editor with the conversion dialog open over it.
struct StyleRun : FakeEditor {
    FakeStyleDialog dialog;
    StyleConverter converter{ctx, dialog};

    explicit StyleRun(const QString& document = {}, bool plainToPolite = true) {
        dialog.attach(text);
        dialog.option1 = plainToPolite;
        history.setMaxUndo(10);
        text.setText(document);
        converter.onLoad();
    }
    void run() { converter.onConvertClicked(); }
    // The report split at its line breaks.
    QStringList reportLines() const { return converter.report().split(QStringLiteral("\r\n")); }
};

} // namespace style
