#pragma once

#include <QString>

struct CommandContext;

namespace html {

// The text as a minimal page: the opening markup, "<BR>" before every line break, "</HTML>".
QString simpleHtml(QStringView text);
// 簡易HTML化: a checkpoint, the page, the caret after "</HTML>", the completion message.
void makeSimpleHtml(CommandContext& ctx);

// Every "<" name ">" (or "</" name ">" when `closing`) removed, from the left. The brackets and
// the slash are ASCII only, so full-width ＜ ＞ in prose are never taken for markup; the name
// compares as text (<B> equals <b>).
QString removeTag(QStringView text, QStringView name, bool closing);

// リンク先抽出: the targets of all links, last first, each followed by CR LF, on the clipboard;
// the last target is left selected.
void copyLinkTargets(CommandContext& ctx);

// What the text extraction asks of its working window (ExtractionProgressDialog).
class WorkingWindowPort {
public:
    virtual ~WorkingWindowPort() = default;
    virtual void showWorking() = 0;
    virtual void closeWorking() = 0;
};

// テキスト抽出: strips every tag in one forward pass over the text, letting events through
// about every 25 ms so that キャンセル can stop it. The main window takes no input meanwhile,
// and the document is written once, at the end; a document changed from elsewhere during the
// run is left as it is.
class TextExtractor {
public:
    TextExtractor(CommandContext& ctx, WorkingWindowPort& window);

    void extractText();
    // キャンセル, Esc, the close box, and a close request of the main window.
    void onCancelClicked() { m_stopRequested = true; }

    bool running() const { return m_running; }
    bool stopRequested() const { return m_stopRequested; }

    static QString questionText();
    static QString notHtmlQuestion();

private:
    // The tags listed in data0..data15, removed first.
    QString prePass(const QString& text) const;
    // Returns true when the text had no "<" left (rather than an unclosed one or a stop).
    bool tagLoop(const QString& work, QString& result);

    CommandContext& m_ctx;
    WorkingWindowPort& m_window;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_changedElsewhere = false;
};

} // namespace html
