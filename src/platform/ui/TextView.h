#pragma once

#include "platform/TextBox.h"
#include "platform/TextViewLineCounts.h"
#include "platform/TextViewMeasure.h"
#include "platform/TextViewSegments.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QTimer>
#include <vector>

class QTextBlock;

// The document's text box (`Text1`): a QPlainTextEdit kept in step with a TextBox both ways.
// The model is the source of truth; its edits reach the QTextDocument as deltas and the edits
// typed here reach the model as deltas. Line breaks are CR LF; lone CR, lone LF, U+2028 and
// U+2029 show as noncharacters (see TextViewText.h). The view installs its wrapped layout as
// the model's LineLayout, so lineCount / lineFromChar count the lines as wrapped on screen.
// A long line shows as several blocks cut where it wraps (TextViewSegments.h).
// The model must outlive the view.
class TextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextView(TextBox& model, QWidget* parent = nullptr);
    ~TextView() override;

    TextBox& model() const;
    // Every block's wrapped line count is known for the current width and font.
    bool layoutComplete() const;
    // The model position at the start of the top visible line, and scrolling so that the line
    // of a model position is the top one (as far as the end of the text allows).
    int topPosition();
    void scrollToTop(int modelPos);

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
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    QMimeData* createMimeDataFromSelection() const override;
    // Qt's plain text edit answers ImEnabled from its read-only state alone; the IME items
    // switch the input method by WA_InputMethodEnabled, which must count as well.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    class WrappedLayout : public LineLayout {
    public:
        explicit WrappedLayout(TextView& view) : m_view(view) {}
        int lineCount() override;
        int lineFromChar(int pos) override;

    private:
        TextView& m_view;
    };

    // What the wrapped line counts depend on; a change of any part invalidates them all.
    struct LayoutKey {
        qreal width = 0;
        qreal available = 0;
        QFont font;
        QTextOption option;
        bool operator==(const LayoutKey& o) const;
    };

    // Model -> document.
    void onModelReplaced(int pos, int removed, const QString& inserted);
    void applyToDocument(int pos, int removed, int added);
    void flushPending();
    void catchUpBeforeInput(const QEvent* e);
    void onModelSelectionChanged();
    void syncCursorFromModel(bool force = false);
    void deferLoad();
    void ensureLoaded();
    void loadWholeText();
    // Document -> model.
    void onContentsChange(int position, int removed, int added);
    void pushSelectionToModel();
    void rewriteDocument(int from, int to, const QString& modelText);
    void joinFormedBreaks(int from, int to);

    int modelPosition(int docPos) const;
    int documentPosition(int modelPos) const;

    // Wrapped layout.
    LayoutKey currentKey() const;
    void checkLayoutKey();
    void linesChanged(int pos, int removed, int added);
    bool updateLongLine(int line, int at, int removed, int added);
    bool isLong(int line);
    int measureLine(int line, std::vector<int>* lineStarts);
    QString documentLine(int line) const;
    void ensureCounted(int blockEnd);
    int lineInBlock(int block, int column);
    void layoutStep();
    void scheduleLayout();
    // Segments of long lines.
    void fixSegments();
    void fixLineSegments(TextViewSegments::LongLine& line);
    void removeOrphanCuts();
    void setCutInDocument(int cut, bool present);
    QString documentText(int from, int to, std::vector<int>* cutsAt = nullptr, int firstCut = -1,
                         int lastCut = -1) const;
    void snapAcrossCut(const QKeyEvent* e);

    TextBox& m_model;
    WrappedLayout m_layout;
    TextViewLineCounts m_counts;
    LayoutKey m_key;
    TextViewMeasure m_measure;
    TextViewSegments m_segments;
    QTimer m_fixSegments;
    int m_textWidth = 0; // the width QPlainTextDocumentLayout lays blocks out for
    QTimer m_idle;
    bool m_announced = true;
    // Line starts of the block most recently laid out for lineFromChar.
    int m_cachedBlock = -1;
    std::vector<int> m_cachedStarts;
    int m_cachedUpTo = 0; // the starts are exact for columns up to here

    // Model edits of a batch not yet applied to the document: model range [from, newEnd) of
    // the current text replaced [from, oldEnd) of the text the document holds.
    struct Pending {
        bool active = false;
        int from = 0, oldEnd = 0, newEnd = 0;
    };
    Pending m_pending;
    bool m_cursorPending = false; // the model's selection moved during a batch
    QTimer m_flush;

    bool m_deferred = false;         // the model's text waits for the first show
    bool m_applyingModel = false;    // document edits made here to follow the model
    bool m_expectEcho = false;       // the model delta caused by a typed edit
    bool m_inTypedEdit = false;      // pushing a typed edit to the model
    bool m_pushingSelection = false; // model.setSelection called from here
    bool m_settingCursor = false;    // setTextCursor called to follow the model
    int m_modelDeltas = 0;
    bool m_focusInOtherWindow = false;
    Qt::MouseButtons m_pressed;
};
