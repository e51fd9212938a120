#pragma once

#include <QObject>
#include <QString>
#include <memory>

// A line break inside the document, as the text box holds it.
inline const QString kCrLf = QStringLiteral("\r\n");

class TextBox;

// Answers the two line questions of the edit control: how many lines, and which line holds a
// position. Without a view the lines are the CR LF lines; a view supplies its wrapped layout.
class LineLayout {
public:
    virtual ~LineLayout() = default;
    // EM_GETLINECOUNT: always at least 1.
    virtual int lineCount() = 0;
    // EM_LINEFROMCHAR for a 0-based code-unit position (already clamped to the text).
    virtual int lineFromChar(int pos) = 0;
};

// The document: a UTF-16 text in which a line break is CR LF. Lone CR, lone LF, U+2028 and
// U+2029 are ordinary characters. Positions are 0-based code-unit offsets.
class TextBox : public QObject {
    Q_OBJECT
public:
    explicit TextBox(QObject* parent = nullptr);
    ~TextBox() override;

    // The whole text as one string. It is the box's own buffer with the hole of the last edit
    // closed, so asking for it after an edit moves the text behind that edit: a loop that
    // edits and reads asks for view() or mid() instead. The reference stays valid until the
    // next edit.
    const QString& text() const;
    // Code units [from, to) (clamped) as one span, without a copy. It stays valid until the
    // next edit or the next call of view() or text(): copy what must outlive them.
    QStringView view(int from, int to) const;
    // A copy of [from, to) (clamped).
    QString mid(int from, int to) const;
    QChar at(int pos) const;
    // Replaces the whole text; the caret goes to 0 with no selection. Assigning the text the
    // box already holds is no change: the caret moves, but no change event fires.
    void setText(const QString& text);
    int length() const;

    int selStart() const;
    // Moves the caret (clamped to the text) and clears the selection.
    void setSelStart(int pos);
    int selLength() const;
    // Extends the selection from selStart (clamped to [0, end of the text]).
    void setSelLength(int len);
    QString selText() const;
    // Replaces the selection; the caret ends after the inserted text with no selection.
    void setSelText(const QString& text);
    // Sets the selection without changing the text (used by the view to report the caret).
    void setSelection(int start, int length);

    // The one primitive every edit goes through: replace `removed` code units at `pos` (both
    // clamped to the text). The caret ends after the inserted text with no selection. The
    // change event fires once, and not at all when the text stays the same (nothing removed
    // and nothing inserted, or text replaced by an equal text).
    void replace(int pos, int removed, const QString& inserted);

    // EM_GETLINECOUNT and EM_LINEFROMCHAR(-1 = the start of the selection; other positions
    // are clamped to the text).
    int lineCount();
    int lineFromChar(int pos = -1);
    // Number of CR LF line breaks before pos, without a view (the unwrapped line of pos). The
    // position between a CR and its LF belongs to the line the CR ends. O(log lines).
    int hardLineFromChar(int pos) const;
    int hardLineCount() const;
    // Start position of unwrapped line `line` (0-based, clamped to the existing lines).
    int hardLineStart(int line) const;
    // Where unwrapped line `line` ends: at the CR of its break, or at the end of the text.
    int hardLineEnd(int line) const;

    // nullptr restores the CR LF layout. The layout is not owned.
    void setLineLayout(LineLayout* layout);

    // A command that walks the whole document and edits it step by step opens a batch for
    // its run: views may then catch up when events next run instead of after every edit.
    // Everything else (text, selection, line services, change events) stays exact and
    // immediate. Batches nest; batchEnded is sent when the outermost one closes.
    void beginBatch();
    void endBatch();
    bool inBatch() const;
    LineLayout* lineLayout() const;

signals:
    // onTextChanged: once for every change of the text, typed or programmatic.
    void changed();
    // A delta for views: `removed` code units at `pos` became `inserted`. Sent before
    // selectionChanged and changed, with the text already changed; the delta is cut down to
    // the part that really differs.
    void textReplaced(int pos, int removed, const QString& inserted);
    void selectionChanged();
    void batchEnded();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Keeps a batch of the text box open for the life of the object.
class TextBoxBatch {
public:
    explicit TextBoxBatch(TextBox& box) : m_box(box) { m_box.beginBatch(); }
    ~TextBoxBatch() { m_box.endBatch(); }
    TextBoxBatch(const TextBoxBatch&) = delete;
    TextBoxBatch& operator=(const TextBoxBatch&) = delete;

private:
    TextBox& m_box;
};
