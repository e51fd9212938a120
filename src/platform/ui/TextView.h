#pragma once

#include "platform/LineLayouter.h"
#include "platform/TextBox.h"
#include "platform/TextViewLineCounts.h"
#include "platform/TextViewMeasure.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QClipboard>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

class QMimeData;

// The document's text box (`Text1`). It draws the TextBox model itself: the text lives only
// in the model, and only the lines on screen are laid out (a layout per line, and per piece of
// a long line, dropped as they scroll away). The wrapped row count of every other line is
// measured in idle time; where a row number is asked for, the lines it depends on are measured
// first, so the numbers the model's line services give are always exact. Line breaks are CR
// LF; lone CR, lone LF, U+2028 and U+2029 show as noncharacters (see TextViewText.h). The view
// installs its wrapped layout as the model's LineLayout. Rows and positions come from a
// LineLayouter, so a second writing direction is another layouter, not another view.
// The model must outlive the view.
class TextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextView(TextBox& model, QWidget* parent = nullptr);
    ~TextView() override;

    TextBox& model() const { return m_model; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Off: every line is one row, as wide as it is, with a horizontal scroll bar.
    void setWordWrap(bool wrap);
    // Full-width spaces, tabs and line ends drawn as faint marks (never part of the text).
    void setShowMarks(bool show);
    bool showMarks() const { return m_showMarks; }

    // Every line's wrapped row count is known for the current width and font.
    bool layoutComplete() const;
    // Wrapped rows, exact: the lines they depend on are measured first.
    int rowCount();
    int rowOf(int pos);
    // The model position at the start of the top visible row, and scrolling so that the row
    // of a model position is the top one (as far as the end of the text allows).
    int topPosition();
    void scrollToTop(int modelPos);
    // Viewport geometry: the caret rectangle before `pos`, the caret's, and the position
    // nearest a point.
    QRectF caretRectAt(int pos);
    QRect cursorRect();
    int positionAt(QPointF point);
    QString preeditText() const { return m_preedit; }
    // Scrolls as little as needed to show the row of `pos`.
    void scrollToPosition(int pos);
    // Clipboard: a copy carries the exact text, lone breaks included, for pastes inside the
    // program; text from other programs arrives with CR LF lines.
    void copy();
    void cut();
    void insertFromMimeData(const QMimeData* source);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // A press and release of any mouse button in the text.
    void clicked();
    // Focus changes among the controls of the view's window; a menu, another window of the
    // program or another application taking the focus, and giving it back, are none.
    void gotFocus();
    void lostFocus();
    // Classic key codes (Enter 13, Space 32, A-Z 65-90, F1 112 ...; 0 for keys without one)
    // and shift masks (Shift 1 | Ctrl 2 | Alt 4). keyUp is not sent for auto-repeat.
    void keyDown(int keyCode, int shift);
    void keyUp(int keyCode, int shift);
    // Button codes: left 1, right 2, middle 4; `pos` in this widget's coordinates.
    void mouseDown(int button, int shift, QPoint pos);
    // `buttons` is the mask of the buttons held.
    void mouseMove(int buttons, int shift, QPoint pos);
    // The writer asked for a paste the window makes by its own rules: a paste key the menus
    // did not take (Shift+Insert) pastes the clipboard, a middle click the primary selection
    // at the caret, which the click has placed.
    void pasteRequested(bool primarySelection);
    // The idle-time wrapped layout has just become complete.
    void layoutCompleted();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    class WrappedLayout : public LineLayout {
    public:
        explicit WrappedLayout(TextView& view) : m_view(view) {}
        int lineCount() override;
        int lineFromChar(int pos) override;

    private:
        TextView& m_view;
    };

    bool wraps() const { return m_wrap && m_textWidth > 0; }
    void configureLayout();
    QString lineText(int line) const;
    bool isLong(int line) const;
    const std::vector<int>& longStarts(int line);
    void editLongLine(int line, int at, int removed, int added);
    // Lays out a pending long line's rows on from where an edit left them, at most `limit`
    // code units; true when its starts are exact.
    bool continueLongLine(int line, int limit);
    const LaidOutLine& laidOut(int line);
    int rowsOfLine(int line);
    void ensureCounted(int lineEnd);
    void measureLater(int delayMs);
    void measureSome();
    int columnOf(int pos, int line) const;
    int rowInLine(int line, int column);
    // The row of the viewport's top edge, in rows from the top of the text as far as known.
    int topRow() const;
    void setTop(int line, int row);
    void rowsUp(int& line, int& row, int rows);
    void updateScrollBar();
    int pageRows() const;
    QPointF lineOrigin(int line);

    void onReplaced(int pos, int removed, const QString& inserted);
    void onSelectionChanged();
    void pushSelection();
    void setCaret(int pos, bool extend);
    void insertText(const QString& text);
    void erase(bool forward, bool word);
    int stepLeft(int pos) const;
    int stepRight(int pos) const;
    int wordStep(int pos, bool forward) const;
    int verticalStep(int pos, int rows);
    void restartBlink();
    void updateCaret();
    QString selectedText() const;
    QMimeData* selectionMimeData() const;
    void setPrimarySelection();

    TextBox& m_model;
    WrappedLayout m_layout;
    std::unique_ptr<LineLayouter> m_layouter;
    TextViewMeasure m_measure;
    TextViewLineCounts m_counts;
    std::map<int, std::unique_ptr<LaidOutLine>> m_cache; // lines on screen and around
    std::map<int, std::vector<int>> m_long;             // wrapped starts of long lines
    // Long lines whose starts are exact only up to a column: an edit left the rest with its
    // old starts, moved with the edit, to be laid out again in idle time.
    std::map<int, int> m_longPending;
    QTimer m_idle;
    bool m_announced = true;
    int m_textWidth = 0; // the width lines wrap at; 0 until the view has one
    bool m_wrap = true;
    int m_xOffset = 0;
    // The top of the viewport: a line and the row inside it. The scroll bar follows it, so
    // that measuring lines above it never moves the text on screen.
    int m_topLine = 0;
    int m_topRowInLine = 0;
    bool m_settingBar = false;

    QBasicTimer m_blink;
    bool m_caretShown = true;
    bool m_readOnly = false;
    bool m_showMarks = false;
    bool m_pushing = false;
    bool m_focusInOtherWindow = false;
    int m_anchor = 0;
    int m_caret = 0;
    qreal m_goalX = -1;
    QString m_preedit;
    int m_preeditCursor = 0;
    QList<QTextLayout::FormatRange> m_preeditFormats; // columns of the preedit
    int m_dragFrom = -1;
    Qt::MouseButtons m_pressed;
    int m_clickCount = 0;
    qint64 m_lastClick = 0;
    QPointF m_lastClickAt;
    bool m_selectingLines = false;
    int m_wordAnchorFrom = -1, m_wordAnchorTo = -1;
};
