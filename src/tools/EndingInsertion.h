#pragma once

#include <QString>
#include <QtGlobal>

struct CommandContext;

namespace ending {

// The word inserted before every character that compares as text equal to `mark`; the
// character found stays as it was (an ASCII "?" in a URL stays ASCII). `count` is raised by the
// number of marks, `lastEnd` receives the position right after the last mark handled (-1 when
// there was none).
QString insertBefore(QStringView text, QChar mark, QStringView word, int& count,
                     qsizetype& lastEnd);

// What the run asks of its dialog (EndingInsertionDialog).
class EndingDialogPort {
public:
    virtual ~EndingDialogPort() = default;
    virtual QString word() const = 0;             // Text1
    virtual bool questionMarksToo() const = 0;    // Check1
    virtual bool exclamationMarksToo() const = 0; // Check2
    virtual void unload() = 0;
};

// 語尾変換: the word before every 。, then ？ and ！ as chosen, over the whole text at once.
class EndingInserter {
public:
    EndingInserter(CommandContext& ctx, EndingDialogPort& dialog);

    // 語尾変換(&G) and Enter in Text1.
    void onConvertClicked();
    // キャンセル.
    void onCancelClicked();

    qint16 InsertCount() const { return m_insertCount; }
    static QString finishedMessage(int count);

private:
    // One pass over `text` for one mark; returns the position after the last mark handled or
    // -1.
    qsizetype insertBeforeMarks(QString& text, QChar mark);

    CommandContext& m_ctx;
    EndingDialogPort& m_dialog;
    qint16 m_insertCount = 0;
};

} // namespace ending
