#pragma once

#include "command/CommandContext.h"

#include <QString>

namespace style {

class StyleConverter;

// The logic of the confirmation of a found ending (EndingConfirmationDialog): the eight characters that end with
// the full stop are shown as three of context and four of ending; the writer types a new ending
// or leaves the old one.
class EndingConfirmation {
public:
    EndingConfirmation(CommandContext& ctx, StyleConverter& run);

    // Selects the window in the main text and fills the captions below.
    void onLoad();
    // Any change of Text2 enables 変換(&C); nothing disables it again.
    void onNewEndingEdited() { m_convertEnabled = true; }
    // 変換(&C): the ending becomes `newEnding`, the mark "。". The form unloads afterwards.
    void onConvertClicked(const QString& newEnding);
    // 無視(&I): the text stays; the window stays selected. The form unloads afterwards.
    void onIgnoreClicked();
    // Any way the dialog closes, the close box included.
    void onUnload();

    const QString& title() const { return m_title; }
    const QString& label1() const { return m_label1; }
    const QString& label3() const { return m_context; } // Label4 shows the same
    const QString& text1() const { return m_ending; }
    bool convertEnabled() const { return m_convertEnabled; }

private:
    CommandContext& m_ctx;
    StyleConverter& m_run;
    QString m_title;
    QString m_label1;
    QString m_context; // "…" and what there is of the three context characters
    QString m_ending;
    QString m_kept; // the context characters themselves, written back on conversion
    int m_line = 0;  // the line of the ending found, as the question names it
    bool m_convertEnabled = false;
};

} // namespace style
