#include "platform/ui/TextView.h"
#include "platform/TextViewText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString Cr = QStringLiteral("\r");
const QString Lf = QStringLiteral("\n");
const QString CrLf = QStringLiteral("\r\n");

QFont testFont() {
    QFont f(QStringLiteral("MotoyaLCedar"));
    f.setPixelSize(16);
    return f;
}

// The document text the view must hold for the model's text, blocks separated by U+2029.
QString expectedDocument(const TextBox& box) {
    QString s = TextViewText::toDocument(box.text());
    s.replace(u'\n', QChar(0x2029));
    return s;
}

// Wrapped lines as the widget itself lays them out.
struct QtLines {
    int total = 0;
    std::vector<int> firstLine; // per block
};

QtLines qtLines(TextView& view) {
    QtLines r;
    auto* layout = view.document()->documentLayout();
    for (QTextBlock b = view.document()->firstBlock(); b.isValid(); b = b.next()) {
        layout->blockBoundingRect(b); // lays the block out if Qt has not yet
        r.firstLine.push_back(r.total);
        r.total += b.layout()->lineCount();
    }
    return r;
}

int qtLineFromChar(TextView& view, const QtLines& lines, int modelPos) {
    const TextBox& box = view.model();
    const int block = box.hardLineFromChar(modelPos);
    const int start = box.hardLineStart(block);
    const QTextBlock b = view.document()->findBlockByNumber(block);
    const int column = std::min(modelPos - start, b.length() - 1);
    return lines.firstLine[block] + b.layout()->lineForTextPosition(column).lineNumber();
}

// QTest::keyClicks only types Latin-1; this sends each character as the text of a key event.
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void waitForLayout(TextView& view) {
    for (int i = 0; i < 1000 && !view.layoutComplete(); ++i)
        QApplication::processEvents();
}

struct Fixture : ::testing::Test {
    TextBox box;
    std::unique_ptr<TextView> view;

    void show(int width = 320, int height = 240) {
        view = std::make_unique<TextView>(box);
        view->setFont(testFont());
        view->resize(width, height);
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        QApplication::processEvents();
    }
};

using TextViewTest = Fixture;

} // namespace

TEST_F(TextViewTest, BreakCharactersSurviveModelToViewToModel) {
    const QString text = QStringLiteral("a") + Cr + QStringLiteral("b") + Lf + QStringLiteral("c") +
                         QChar(0x2028) + QStringLiteral("d") + QChar(0x2029) + QStringLiteral("e") +
                         CrLf + QStringLiteral("f") + Lf + Cr + QStringLiteral("g");
    box.setText(text);
    show();
    QTextDocument* doc = view->document();
    EXPECT_EQ(doc->blockCount(), 2);
    EXPECT_EQ(doc->toRawText(), expectedDocument(box));
    EXPECT_EQ(doc->firstBlock().text(), QStringLiteral("a\uFDD2b\uFDD3c\uFDD4d\uFDD5e"));

    // Type next to each special character: after the lone CR, before the lone LF, around the
    // separators and on both sides of the CR LF.
    QSignalSpy changes(&box, &TextBox::changed);
    const int positions[] = {15, 14, 13, 12, 11, 9, 8, 7, 6, 5, 4, 2, 1};
    for (int pos : positions) {
        QString expected = box.text();
        box.setSelStart(pos);
        QTest::keyClicks(view.get(), QStringLiteral("x"));
        expected.insert(pos, u'x');
        ASSERT_EQ(box.text(), expected) << "typed at " << pos;
        ASSERT_EQ(box.selStart(), pos + 1);
        ASSERT_EQ(doc->toRawText(), expectedDocument(box));
    }
    EXPECT_EQ(changes.size(), int(std::size(positions)));
    EXPECT_EQ(box.hardLineCount(), 2);
}

TEST_F(TextViewTest, BackspaceAndDeleteAroundBreaks) {
    struct Case {
        const char* name;
        QString text;
        int caret;
        Qt::Key key;
        QString result;
    };
    const Case cases[] = {
        {"backspace joins lines", "ab\r\ncd", 4, Qt::Key_Backspace, "abcd"},
        {"delete joins lines", "ab\r\ncd", 2, Qt::Key_Delete, "abcd"},
        {"backspace removes lone CR", "a\rb", 2, Qt::Key_Backspace, "ab"},
        {"delete removes lone LF", "a\nb", 1, Qt::Key_Delete, "ab"},
        {"delete leaves CR LF formed", "\rx\n", 1, Qt::Key_Delete, "\r\n"},
        {"backspace after pair", "\r\r\n", 3, Qt::Key_Backspace, "\r"},
    };
    show();
    for (const auto& c : cases) {
        box.setText(c.text);
        box.setSelStart(c.caret);
        QSignalSpy changes(&box, &TextBox::changed);
        QTest::keyClick(view.get(), c.key);
        EXPECT_EQ(box.text(), c.result) << c.name;
        EXPECT_EQ(changes.size(), 1) << c.name;
        EXPECT_EQ(view->document()->toRawText(), expectedDocument(box)) << c.name;
        EXPECT_EQ(view->document()->blockCount(), box.hardLineCount()) << c.name;
    }
}

TEST_F(TextViewTest, EnterAndShiftEnterInsertCrLf) {
    box.setText(QStringLiteral("abcd"));
    show();
    box.setSelStart(2);
    QTest::keyClick(view.get(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(box.selStart(), 4);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(box.text(), QStringLiteral("ab\r\n\r\ncd"));
    EXPECT_EQ(view->document()->blockCount(), 3);
    EXPECT_FALSE(box.text().contains(QChar(0x2028)));
}

TEST_F(TextViewTest, TypingOverSelectionIsOneChange) {
    box.setText(QStringLiteral("hello\r\nworld"));
    show();
    box.setSelStart(3);
    box.setSelLength(6); // "lo\r\nwo"
    QSignalSpy changes(&box, &TextBox::changed);
    QTest::keyClicks(view.get(), QStringLiteral("Z"));
    EXPECT_EQ(box.text(), QStringLiteral("helZrld"));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(box.selStart(), 4);
}

// Qt reports a format change over the whole document as if every character had been replaced.
// The text did not change: no change event, and no block needs laying out again.
TEST_F(TextViewTest, FormatOnlyChangesAreNotEdits) {
    box.setText(QStringLiteral("abc\r\ndef\r\n").repeated(20));
    show();
    waitForLayout(*view);
    QSignalSpy changes(&box, &TextBox::changed);
    QSignalSpy reported(view->document(), &QTextDocument::contentsChange);
    QTextCursor c(view->document());
    c.select(QTextCursor::Document);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    c.mergeCharFormat(red);
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_EQ(changes.size(), 0);
    EXPECT_TRUE(view->layoutComplete());
    EXPECT_EQ(box.text(), QStringLiteral("abc\r\ndef\r\n").repeated(20));
}

TEST_F(TextViewTest, ReservedCharactersFromOutsideBecomeReplacementCharacter) {
    show();
    typeText(view.get(), QStringLiteral("a\uFDD2\uFDD0b"));
    EXPECT_EQ(box.text(), QStringLiteral("a\uFFFD\uFFFDb"));
    EXPECT_EQ(view->document()->blockCount(), 1);
}

TEST_F(TextViewTest, RandomModelEditsKeepDocumentInStep) {
    QRandomGenerator rng(77);
    const QString alphabet = QStringLiteral("\r\n\r\na\u3042\u2028\u2029");
    auto piece = [&](int maxLen) {
        QString s;
        for (int i = rng.bounded(maxLen + 1); i > 0; --i)
            s += alphabet[rng.bounded(alphabet.size())];
        return s;
    };
    box.setText(piece(30));
    show();
    for (int step = 0; step < 400; ++step) {
        const int len = box.length();
        if (rng.bounded(20) == 0) {
            box.setText(piece(40));
        } else {
            const int pos = rng.bounded(len + 1);
            box.replace(pos, rng.bounded(std::min(len - pos, 5) + 1), piece(4));
        }
        if (rng.bounded(3) == 0) {
            const int start = rng.bounded(box.length() + 1);
            box.setSelection(start, rng.bounded(box.length() - start + 1));
        }
        ASSERT_EQ(view->document()->toRawText(), expectedDocument(box)) << "step " << step;
        ASSERT_EQ(view->document()->blockCount(), box.hardLineCount()) << "step " << step;
        const QTextCursor c = view->textCursor();
        const int selEnd = box.selStart() + box.selLength();
        // Positions inside a CR LF show before its CR.
        auto expectedDocPos = [&](int p) {
            const int line = box.hardLineFromChar(p);
            const int end =
                line + 1 < box.hardLineCount() ? box.hardLineStart(line + 1) - 2 : box.length();
            return std::min(p, end) - line;
        };
        ASSERT_EQ(c.selectionStart(), expectedDocPos(box.selStart())) << "step " << step;
        ASSERT_EQ(c.selectionEnd(), expectedDocPos(selEnd)) << "step " << step;
    }
}

TEST_F(TextViewTest, CursorMovesReachTheModel) {
    box.setText(QStringLiteral("ab\r\ncd\r\nef"));
    show();
    box.setSelStart(0);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(box.selStart(), 4);
    QTest::keyClick(view.get(), Qt::Key_End);
    EXPECT_EQ(box.selStart(), 6);
    // A selection made backwards keeps its direction while it grows.
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 2);
    QTest::keyClick(view.get(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 6);
    EXPECT_EQ(box.selText(), QStringLiteral("ab\r\ncd"));

    // Programmatic selections show in the view.
    box.setSelStart(8);
    box.setSelLength(2);
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("ef"));
}

TEST_F(TextViewTest, WrappedCountsMatchTheWidget) {
    // One long line, short lines, an empty line and a long line with lone breaks inside.
    QString text = QStringLiteral("吾輩は猫である。名前はまだ無い。").repeated(12) + CrLf +
                   QStringLiteral("short") + CrLf + CrLf +
                   QStringLiteral("どこで生れたかとんと見当がつかぬ。\r\n何でも薄暗い") +
                   QStringLiteral("word ").repeated(40) + Cr + QStringLiteral("x").repeated(90) +
                   Lf + QStringLiteral("\t tab").repeated(10);
    box.setText(text);
    show(300, 200);
    waitForLayout(*view);
    ASSERT_TRUE(view->layoutComplete());

    for (int width : {300, 211, 487}) {
        view->resize(width, 200);
        QApplication::processEvents();
        const QtLines qt = qtLines(*view);
        ASSERT_GT(qt.total, box.hardLineCount() + 10) << "the text should wrap";
        EXPECT_EQ(box.lineCount(), qt.total) << "width " << width;
        for (int pos = 0; pos <= box.length(); pos += 7)
            ASSERT_EQ(box.lineFromChar(pos), qtLineFromChar(*view, qt, pos))
                << "width " << width << " pos " << pos;
        EXPECT_EQ(box.lineFromChar(box.length()), qt.total - 1);
    }

    QFont bigger = testFont();
    bigger.setPixelSize(23);
    view->setFont(bigger);
    EXPECT_FALSE(view->layoutComplete());
    const QtLines qt = qtLines(*view);
    EXPECT_EQ(box.lineCount(), qt.total);
    EXPECT_TRUE(view->layoutComplete());
}

// Every pixel of width counts: the sweep crosses widths where one more character just fits.
TEST_F(TextViewTest, WrappedCountsFollowEveryWidth) {
    box.setText(QStringLiteral("あいうえおかきくけこ").repeated(9) + CrLf +
                QStringLiteral("ascii words, and ＡＢＣ mixed ").repeated(6));
    show(240, 200);
    for (int width = 240; width < 275; ++width) {
        view->resize(width, 200);
        EXPECT_EQ(box.lineCount(), qtLines(*view).total) << "width " << width;
    }
}

TEST_F(TextViewTest, WrapPointBelongsToTheNextLine) {
    box.setText(QStringLiteral("あ").repeated(100));
    show(300, 200);
    const QtLines qt = qtLines(*view);
    const QTextLayout* layout = view->document()->firstBlock().layout();
    ASSERT_GE(layout->lineCount(), 3);
    const int wrap = layout->lineAt(1).textStart();
    EXPECT_EQ(box.lineFromChar(wrap - 1), 0);
    EXPECT_EQ(box.lineFromChar(wrap), 1);
    EXPECT_EQ(box.lineFromChar(100), qt.total - 1);
}

TEST_F(TextViewTest, TypingRelaysOnlyTheTouchedBlock) {
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("行%1：").arg(i) + QStringLiteral("かな").repeated(i % 40) + CrLf;
    box.setText(text);
    show(300, 200);
    waitForLayout(*view);
    QSignalSpy completed(view.get(), &TextView::layoutCompleted);

    box.setSelStart(box.hardLineStart(150) + 3);
    typeText(view.get(), QStringLiteral("ああああああああああああああああああ"));
    EXPECT_TRUE(view->layoutComplete());
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_TRUE(view->layoutComplete());
    const QtLines qt = qtLines(*view);
    EXPECT_EQ(box.lineCount(), qt.total);
    EXPECT_EQ(box.lineFromChar(), qtLineFromChar(*view, qt, box.selStart()));

    // A model edit touching many blocks leaves them to idle time, then announces completion.
    box.setSelStart(0);
    box.setSelText(QStringLiteral("新しい行\r\n").repeated(50));
    EXPECT_FALSE(view->layoutComplete());
    waitForLayout(*view);
    QApplication::processEvents();
    EXPECT_EQ(completed.size(), 1);
    EXPECT_EQ(box.lineCount(), qtLines(*view).total);
}

TEST_F(TextViewTest, CopyAndPasteKeepLoneBreaks) {
    box.setText(QStringLiteral("a\rb\r\nc\nd"));
    show();
    box.setSelection(0, 7); // "a\rb\r\nc\n"
    view->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\rb\r\nc\n"));
    box.setSelStart(box.length());
    view->paste();
    EXPECT_EQ(box.text(), QStringLiteral("a\rb\r\nc\nda\rb\r\nc\n"));
    EXPECT_EQ(view->document()->toRawText(), expectedDocument(box));

    // Text from another program: its lines end in CR LF here.
    auto* foreign = new QMimeData;
    foreign->setText(QStringLiteral("x\ny\r\nz"));
    QApplication::clipboard()->setMimeData(foreign);
    box.setText(QString());
    view->paste();
    EXPECT_EQ(box.text(), QStringLiteral("x\r\ny\r\nz"));
}

TEST_F(TextViewTest, RightButtonReportsInsteadOfContextMenu) {
    box.setText(QStringLiteral("text"));
    show();
    QSignalSpy downs(view.get(), &TextView::mouseDown);
    QSignalSpy clicks(view.get(), &TextView::clicked);
    bool popupSeen = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popupSeen = true;
            popup->close();
        }
    });
    guard.start(10);

    const QPoint at(10, 10);
    QTest::mousePress(view->viewport(), Qt::RightButton, Qt::ShiftModifier, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &menu);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::ShiftModifier, at);
    QTest::qWait(50);

    EXPECT_FALSE(popupSeen);
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0][0].toInt(), 2);
    EXPECT_EQ(downs[0][1].toInt(), 1);
    EXPECT_EQ(downs[0][2].toPoint(), view->viewport()->mapTo(view.get(), at));
    EXPECT_EQ(clicks.size(), 1);
}

TEST_F(TextViewTest, CtrlShortcutsBelongToTheWindow) {
    box.setText(QStringLiteral("some text"));
    QWidget window;
    auto* text1 = new TextView(box, &window); // owned by the window
    auto* saveAs = new QAction(&window);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    window.addAction(saveAs);
    QSignalSpy triggered(saveAs, &QAction::triggered);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    text1->setFocus();
    box.setSelStart(2);

    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(triggered.size(), 1);
    EXPECT_EQ(box.selLength(), 0);

    // Without a window action Ctrl+A still does not select everything.
    window.removeAction(saveAs);
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box.selLength(), 0);
    EXPECT_EQ(box.text(), QStringLiteral("some text"));
}

TEST_F(TextViewTest, KeyEventsCarryClassicCodes) {
    show();
    QSignalSpy downs(view.get(), &TextView::keyDown);
    QSignalSpy ups(view.get(), &TextView::keyUp);
    struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code, shift;
    } const cases[] = {
        {Qt::Key_Space, Qt::NoModifier, 32, 0},     {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Backspace, Qt::NoModifier, 8, 0},  {Qt::Key_Delete, Qt::NoModifier, 46, 0},
        {Qt::Key_Left, Qt::ShiftModifier, 37, 1},   {Qt::Key_Down, Qt::NoModifier, 40, 0},
        {Qt::Key_Home, Qt::ControlModifier, 36, 2}, {Qt::Key_PageDown, Qt::NoModifier, 34, 0},
        {Qt::Key_Q, Qt::NoModifier, 81, 0},         {Qt::Key_7, Qt::NoModifier, 55, 0},
        {Qt::Key_F5, Qt::NoModifier, 116, 0},       {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Tab, Qt::NoModifier, 9, 0},        {Qt::Key_Shift, Qt::NoModifier, 16, 1},
    };
    for (const auto& c : cases) {
        downs.clear();
        ups.clear();
        QTest::keyPress(view.get(), c.key, c.mods);
        QTest::keyRelease(view.get(), c.key, c.mods);
        // QTest presses the modifier keys first and releases them last.
        ASSERT_FALSE(downs.isEmpty());
        EXPECT_EQ(downs.last()[0].toInt(), c.code);
        EXPECT_EQ(downs.last()[1].toInt(), c.shift) << c.code;
        ASSERT_FALSE(ups.isEmpty());
        EXPECT_EQ(ups.first()[0].toInt(), c.code);
    }
}

TEST_F(TextViewTest, FocusAndMouseMoveSignals) {
    show();
    QSignalSpy got(view.get(), &TextView::gotFocus);
    QSignalSpy lost(view.get(), &TextView::lostFocus);
    QSignalSpy moves(view.get(), &TextView::mouseMove);
    view->clearFocus();
    view->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(lost.size(), 1);
    EXPECT_EQ(got.size(), 1);

    // Another application becomes active, then this one again: no focus change of the box.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(view.get());
    EXPECT_TRUE(view->hasFocus());
    EXPECT_EQ(lost.size(), 1);
    EXPECT_EQ(got.size(), 1);

    // Another window of the program (a dialog) takes the focus and gives it back: no focus
    // change of the box either.
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(lost.size(), 1);
    QApplication::setActiveWindow(view.get());
    EXPECT_EQ(got.size(), 1);

    QTest::mouseMove(view->viewport(), QPoint(20, 20));
    QMouseEvent drag(QEvent::MouseMove, QPointF(30, 12),
                     view->viewport()->mapToGlobal(QPointF(30, 12)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drag);
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last()[0].toInt(), 3);
}

// A view never shown yet takes a whole new text only when it is shown; until then the lines
// are the CR LF lines, which is what the box counts without a width.
TEST_F(TextViewTest, HiddenViewLoadsAtFirstShow) {
    box.setText(QStringLiteral("first\r\ntext"));
    view = std::make_unique<TextView>(box);
    view->setFont(testFont());
    view->resize(200, 100);
    const QString text = QStringLiteral("漢字").repeated(200) + CrLf + QStringLiteral("b\rc");
    box.setText(text);
    box.setSelStart(text.size() - 1);
    box.setSelText(QStringLiteral("X"));
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineFromChar(), 1);
    EXPECT_TRUE(view->layoutComplete());

    view->show();
    EXPECT_EQ(view->document()->toRawText(), expectedDocument(box));
    EXPECT_EQ(view->textCursor().position(), box.selStart() - 1);
    EXPECT_GT(box.lineCount(), 20);
    EXPECT_EQ(box.lineCount(), qtLines(*view).total);

    // Pasting into a view that was never shown loads its text first.
    TextBox other;
    other.setText(QStringLiteral("p\rq"));
    TextView hidden(other);
    other.setSelStart(1);
    QApplication::clipboard()->setText(QStringLiteral("-"));
    hidden.paste();
    EXPECT_EQ(other.text(), QStringLiteral("p-\rq"));
}

TEST_F(TextViewTest, DetachesItsLayoutWhenDestroyed) {
    box.setText(QStringLiteral("a\r\nb"));
    show();
    EXPECT_NE(box.lineLayout(), nullptr);
    view.reset();
    EXPECT_EQ(box.lineLayout(), nullptr);
    EXPECT_EQ(box.lineCount(), 2);
}

// During a batch the document catches up only when events run, as one span; the line
// services answer for the model's text throughout.
TEST_F(TextViewTest, BatchEditsCatchUpWhenEventsRun) {
    QRandomGenerator rng(2026);
    const QString alphabet = QStringLiteral("\r\n\r\nあい漢字。、 word\u2028");
    auto piece = [&](int maxLen) {
        QString s;
        for (int i = rng.bounded(maxLen + 1); i > 0; --i)
            s += alphabet[rng.bounded(alphabet.size())];
        return s;
    };
    box.setText(QStringLiteral("吾輩は猫である。名前はまだ無い。").repeated(8) + CrLf + piece(60));
    show(300, 200);
    waitForLayout(*view);
    const QString before = view->document()->toRawText();

    TextBoxBatch batch(box);
    box.setSelStart(3);
    box.setSelText(QStringLiteral("ねこ"));
    EXPECT_EQ(view->document()->toRawText(), before) << "nothing reaches the document at once";

    for (int step = 0; step < 300; ++step) {
        const int len = box.length();
        const int pos = rng.bounded(len + 1);
        box.replace(pos, rng.bounded(std::min(len - pos, 6) + 1), piece(5));
        if (rng.bounded(2) == 0) {
            const int start = rng.bounded(box.length() + 1);
            box.setSelection(start, rng.bounded(box.length() - start + 1));
        }
        if (rng.bounded(8) == 0) {
            // What the line services say now must be what the caught-up widget shows.
            const int asked = rng.bounded(box.length() + 1);
            const int line = box.lineFromChar(asked);
            QApplication::processEvents();
            ASSERT_EQ(view->document()->toRawText(), expectedDocument(box)) << "step " << step;
            const QtLines qt = qtLines(*view);
            ASSERT_EQ(line, qtLineFromChar(*view, qt, asked)) << "step " << step;
            ASSERT_EQ(box.lineCount(), qt.total) << "step " << step;
            ASSERT_EQ(view->textCursor().selectionStart(),
                      box.selStart() - box.hardLineFromChar(box.selStart()))
                << "step " << step;
        }
    }
}

TEST_F(TextViewTest, EndOfBatchAndTypingCatchUpAtOnce) {
    box.setText(QStringLiteral("あいうえお"));
    show();
    {
        TextBoxBatch batch(box);
        box.setSelStart(5);
        box.setSelText(QStringLiteral("か"));
        box.setSelStart(0);
        box.setSelText(QStringLiteral("\r\n"));
        // The writer types while the document still lags: the key lands where the model's
        // caret is.
        typeText(view.get(), QStringLiteral("X"));
        EXPECT_EQ(box.text(), QStringLiteral("\r\nXあいうえおか"));
        box.setSelStart(box.length());
        box.setSelText(QStringLiteral("き"));
        EXPECT_NE(view->document()->toRawText(), expectedDocument(box));
    }
    EXPECT_EQ(view->document()->toRawText(), expectedDocument(box));
    EXPECT_EQ(view->textCursor().position(), box.length() - 1);
}
