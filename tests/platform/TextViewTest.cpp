#include "platform/ui/TextView.h"
#include "platform/TextViewText.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int kMargin = 4;

QFont testFont() {
    QFont f(QStringLiteral("MotoyaLCedar"));
    f.setPixelSize(16);
    return f;
}

// One document line laid out by Qt directly, as a plain text edit lays out its block.
struct QtLine {
    QTextLayout layout;
    QtLine(const QString& text, const QFont& font, qreal width) : layout(text, font) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine())
            l.setLineWidth(width);
        layout.endLayout();
    }
};

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
    for (int i = 0; i < 2000 && !view.layoutComplete(); ++i)
        QApplication::processEvents();
}

struct TextViewTest : ::testing::Test {
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

    // Every position's row, caret x and hit position against Qt's own layout of each line.
    void expectGeometryOfQt(const char* what) {
        const qreal lineWidth = view->viewport()->width() - 2 * kMargin;
        const QFont font(testFont(), view->viewport());
        int rowsBefore = 0;
        for (int line = 0; line < box.hardLineCount(); ++line) {
            const int start = box.hardLineStart(line);
            const int end = box.hardLineEnd(line);
            const QtLine qt(TextViewText::toShown(box.mid(start, end)), font, lineWidth);
            for (int col = 0; col <= end - start; ++col) {
                const QTextLine l = qt.layout.lineForTextPosition(col);
                const int row = l.isValid() ? l.lineNumber() : qt.layout.lineCount() - 1;
                ASSERT_EQ(box.lineFromChar(start + col), rowsBefore + row)
                    << what << " line " << line << " col " << col;
                if (rowsBefore + row > 8) continue; // on screen only
                const QRectF caret = view->caretRectAt(start + col);
                ASSERT_NEAR(caret.left(), kMargin + l.cursorToX(col), 0.01)
                    << what << " line " << line << " col " << col;
                // A point just right of the caret hits where Qt's own line says it does.
                const QPointF hit = caret.center() + QPointF(0.5, 0);
                ASSERT_EQ(view->positionAt(hit), start + l.xToCursor(hit.x() - kMargin))
                    << what << " line " << line << " col " << col;
            }
            rowsBefore += qt.layout.lineCount();
        }
        EXPECT_EQ(box.lineCount(), rowsBefore) << what;
    }
};

} // namespace

// Rows, carets and hits agree with QTextLayout for texts that wrap at words and anywhere, hold
// tabs, full-width blanks and lone breaks, at widths a pixel apart and after a font change.
TEST_F(TextViewTest, GeometryAgreesWithQtLayout) {
    const QString texts[] = {
        QStringLiteral("吾輩は猫である。名前はまだ無い。").repeated(6) + CrLf + CrLf +
            QStringLiteral("short"),
        QStringLiteral("abc def\r\n\r\nghi\tjkl mno pqr stu vwx yz ").repeated(4) +
            QStringLiteral("\r\nおわり"),
        QStringLiteral("一行目\r二\n三\u2028四\r\n　全角の空白　").repeated(5),
        QStringLiteral("ascii words, and ＡＢＣ mixed ").repeated(6),
    };
    show(240, 200);
    for (const QString& text : texts) {
        box.setText(text);
        for (const int width : {240, 241, 263, 487}) {
            view->resize(width, 200);
            expectGeometryOfQt(qPrintable(QStringLiteral("width %1").arg(width)));
        }
    }
    QFont bigger = testFont();
    bigger.setPixelSize(23);
    view->setFont(bigger);
    EXPECT_FALSE(view->layoutComplete());
    waitForLayout(*view);
    EXPECT_GT(box.lineCount(), box.hardLineCount());
}

// A long line is never laid out whole after a key: its rows are kept up to date around the
// edit, and must still be the rows of a whole layout.
TEST_F(TextViewTest, LongLineRowsFollowEveryEdit) {
    const QString prose = QStringLiteral("吾輩は猫である。名前はまだ無い。abc def ghi, ");
    box.setText(QStringLiteral("前の行\r\n") + prose.repeated(300) + CrLf + QStringLiteral("後"));
    show(300, 200);
    QRandomGenerator rng(13);
    const QString pieces[] = {QStringLiteral("x"), QStringLiteral("ああ"), QStringLiteral(" word "),
                              QStringLiteral("、")};
    for (int step = 0; step < 12; ++step) {
        const int start = box.hardLineStart(1);
        const int length = box.hardLineEnd(1) - start;
        box.setSelStart(start + (step % 2 ? length - rng.bounded(30) : rng.bounded(length)));
        if (step % 3 == 0)
            QTest::keyClick(view.get(), Qt::Key_Backspace);
        else
            typeText(view.get(), pieces[rng.bounded(4)]);
    }
    box.setSelStart(box.hardLineStart(1) + 5);
    expectGeometryOfQt("long line");
}

// Tabs and full-width blanks in a long line: its rows, laid out a piece at a time, are Qt's.
TEST_F(TextViewTest, LongLineWithTabsHasQtsRows) {
    box.setText(QStringLiteral("前\r\n") +
                QStringLiteral("吾輩は猫である。名前はまだ無い。　どこで生れたかとんと見当がつかぬ。\t")
                    .repeated(200));
    show(660, 300);
    expectGeometryOfQt("tabs");
    // Rows drawn from the second piece on stand where Qt's own layout of the line has them.
    const int start = box.hardLineStart(1);
    const QtLine qt(box.mid(start, box.hardLineEnd(1)),
                    QFont(testFont(), view->viewport()), view->viewport()->width() - 2 * kMargin);
    view->scrollToTop(start + qt.layout.lineAt(28).textStart());
    for (int row = 29; row < 40; ++row) {
        const QTextLine l = qt.layout.lineAt(row);
        for (int col = l.textStart(); col < l.textStart() + l.textLength(); col += 3) {
            const QRectF caret = view->caretRectAt(start + col);
            ASSERT_NEAR(caret.left(), kMargin + l.cursorToX(col), 0.01) << "row " << row;
            ASSERT_NEAR(caret.top(), (row - 28) * caret.height(), 0.01) << "row " << row;
        }
    }
}

TEST_F(TextViewTest, EditingKeys) {
    struct Case {
        const char* name;
        QString text;
        int caret, selLength;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString result;
        int caretAfter;
    };
    const Case cases[] = {
        {"backspace joins lines", "ab\r\ncd", 4, 0, Qt::Key_Backspace, {}, "abcd", 2},
        {"delete joins lines", "ab\r\ncd", 2, 0, Qt::Key_Delete, {}, "abcd", 2},
        {"backspace removes lone CR", "a\rb", 2, 0, Qt::Key_Backspace, {}, "ab", 1},
        {"delete removes lone LF", "a\nb", 1, 0, Qt::Key_Delete, {}, "ab", 1},
        {"delete leaves CR LF formed", "\rx\n", 1, 0, Qt::Key_Delete, {}, "\r\n", 1},
        {"backspace takes a whole pair", "a😀b", 3, 0, Qt::Key_Backspace, {}, "ab", 1},
        {"enter is CR LF", "abcd", 2, 0, Qt::Key_Return, {}, "ab\r\ncd", 4},
        {"shift+enter is CR LF too", "abcd", 2, 0, Qt::Key_Return, Qt::ShiftModifier,
         "ab\r\ncd", 4},
        {"tab is a character", "ab", 1, 0, Qt::Key_Tab, {}, "a\tb", 2},
        {"typing replaces the selection", "hello\r\nworld", 3, 6, Qt::Key_Z, {}, "helzrld", 4},
        {"ctrl+backspace takes a word", "one two", 7, 0, Qt::Key_Backspace, Qt::ControlModifier,
         "one ", 4},
    };
    show();
    for (const auto& c : cases) {
        box.setText(c.text);
        box.setSelection(c.caret, c.selLength);
        QSignalSpy changes(&box, &TextBox::changed);
        QTest::keyClick(view.get(), c.key, c.mods);
        EXPECT_EQ(box.text(), c.result) << c.name;
        EXPECT_EQ(changes.size(), 1) << c.name;
        EXPECT_EQ(box.selStart(), c.caretAfter) << c.name;
    }
    box.setText(QString());
    typeText(view.get(), QStringLiteral("a\uFDD2\uFDD0b"));
    EXPECT_EQ(box.text(), QStringLiteral("a\uFFFD\uFFFDb")) << "reserved characters typed";
}

TEST_F(TextViewTest, CaretKeysReachTheModel) {
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
    EXPECT_EQ(box.selText(), QStringLiteral("ab\r\ncd"));
    // The caret never stops between CR and LF.
    box.setSelStart(2);
    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(box.selStart(), 4);
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_EQ(box.selStart(), 2);
}

// Page keys, ctrl+End and the recent-place scroll keep the caret on screen and the top row
// where they put it, in a text long enough to scroll.
TEST_F(TextViewTest, ScrollingKeepsTheCaretOnScreen) {
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("行%1：").arg(i) + QStringLiteral("かな").repeated(i % 30) + CrLf;
    box.setText(text);
    show(300, 200);
    auto caretShown = [&] {
        return view->viewport()->rect().contains(view->cursorRect().center());
    };
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    EXPECT_GT(box.selStart(), 0);
    EXPECT_TRUE(caretShown());
    QTest::keyClick(view.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box.selStart(), box.length());
    EXPECT_TRUE(caretShown());
    box.setSelStart(box.hardLineStart(200));
    EXPECT_TRUE(caretShown()) << "a caret placed by a command is brought on screen";

    view->scrollToTop(box.hardLineStart(123) + 2);
    EXPECT_EQ(view->topPosition(), box.hardLineStart(123));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + 1);
    EXPECT_GT(view->topPosition(), box.hardLineStart(123));
    view->scrollToTop(box.length());
    EXPECT_LT(view->topPosition(), box.hardLineStart(395)) << "the end stays at the bottom";
}

// A preedit is shown at the caret and never reaches the model; the commit is one edit; the
// input method reads the caret's line and a cursor rectangle that follows the preedit.
TEST_F(TextViewTest, InputMethodPreeditAndCommit) {
    box.setText(QStringLiteral("前の行\r\n吾輩は。"));
    show();
    box.setSelStart(box.hardLineStart(1) + 3);
    QSignalSpy changes(&box, &TextBox::changed);
    const QRect before = view->inputMethodQuery(Qt::ImCursorRectangle).toRect();

    QInputMethodEvent preedit(QStringLiteral("ねこ"),
                              {{QInputMethodEvent::Cursor, 2, 1, QVariant()}});
    QApplication::sendEvent(view.get(), &preedit);
    EXPECT_EQ(view->preeditText(), QStringLiteral("ねこ"));
    EXPECT_EQ(changes.size(), 0);
    const QRect during = view->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(during.left(), before.left() + 10);
    EXPECT_EQ(during.top(), before.top());
    EXPECT_EQ(view->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("吾輩は。"));
    EXPECT_EQ(view->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("猫"));
    QApplication::sendEvent(view.get(), &commit);
    EXPECT_EQ(box.text(), QStringLiteral("前の行\r\n吾輩は猫。"));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(view->preeditText().isEmpty());

    view->setAttribute(Qt::WA_InputMethodEnabled, false);
    EXPECT_FALSE(view->inputMethodQuery(Qt::ImEnabled).toBool());
    view->setAttribute(Qt::WA_InputMethodEnabled, true);
    view->setReadOnly(true);
    EXPECT_FALSE(view->inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(TextViewTest, MouseSelects) {
    box.setText(QStringLiteral("hello world\r\nsecond line"));
    show();
    const auto at = [&](int pos) { return view->caretRectAt(pos).center().toPoint() + QPoint(1, 0); };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(2));
    EXPECT_EQ(box.selStart(), 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(15));
    EXPECT_EQ(box.selText(), QStringLiteral("llo world\r\nse"));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at(8));
    EXPECT_EQ(box.selText(), QStringLiteral("world"));
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(8));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(8));
    EXPECT_EQ(box.selText(), QStringLiteral("hello world\r\n")) << "a third click takes the line";
}

TEST_F(TextViewTest, ClipboardKeepsLoneBreaksAndAsksTheWindowToPaste) {
    box.setText(QStringLiteral("a\rb\r\nc\nd"));
    show();
    QSignalSpy pastes(view.get(), &TextView::pasteRequested);
    box.setSelection(0, 7); // "a\rb\r\nc\n"
    QTest::keyClick(view.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\rb\r\nc\n"));
    box.setSelStart(box.length());
    view->insertFromMimeData(QApplication::clipboard()->mimeData());
    EXPECT_EQ(box.text(), QStringLiteral("a\rb\r\nc\nda\rb\r\nc\n"));

    // Text from another program: its lines end in CR LF here.
    QMimeData foreign;
    foreign.setText(QStringLiteral("x\ny\r\nz"));
    box.setText(QString());
    view->insertFromMimeData(&foreign);
    EXPECT_EQ(box.text(), QStringLiteral("x\r\ny\r\nz"));

    // Text dropped from another program lands where it is dropped, with CR LF lines.
    QMimeData dragged;
    dragged.setText(QStringLiteral("D\nE"));
    const QPointF at = view->caretRectAt(3).center() + QPointF(1, 0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_EQ(box.text(), QStringLiteral("x\r\nD\r\nEy\r\nz"));

    // Paste keys and the middle button leave the paste to the window's rules.
    QTest::keyClick(view.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(view->viewport(), Qt::MiddleButton, {}, QPoint(10, 10));
    ASSERT_EQ(pastes.size(), 2);
    EXPECT_FALSE(pastes[0][0].toBool());
    EXPECT_TRUE(pastes[1][0].toBool());
    EXPECT_EQ(box.text(), QStringLiteral("x\r\nD\r\nEy\r\nz"));
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

    QTest::mouseMove(view->viewport(), QPoint(20, 20));
    QMouseEvent drag(QEvent::MouseMove, QPointF(30, 12),
                     view->viewport()->mapToGlobal(QPointF(30, 12)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drag);
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last()[0].toInt(), 3);
}

// Without a width (never shown) the lines are the CR LF lines; destroyed, the view gives the
// box its own lines back.
TEST_F(TextViewTest, LinesBeforeTheFirstShowAndAfterTheView) {
    view = std::make_unique<TextView>(box);
    box.setText(QStringLiteral("漢字").repeated(200) + CrLf + QStringLiteral("b\rc"));
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_TRUE(view->layoutComplete());
    view->setFont(testFont());
    view->resize(200, 100);
    view->show();
    waitForLayout(*view);
    EXPECT_GT(box.lineCount(), 20);
    view.reset();
    EXPECT_EQ(box.lineLayout(), nullptr);
    EXPECT_EQ(box.lineCount(), 2);
}

// During a batch the line services answer for the model's text at every step.
TEST_F(TextViewTest, BatchEditsKeepTheLinesExact) {
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
    {
        TextBoxBatch batch(box);
        for (int step = 0; step < 200; ++step) {
            const int len = box.length();
            const int pos = rng.bounded(len + 1);
            box.replace(pos, rng.bounded(std::min(len - pos, 6) + 1), piece(5));
        }
        expectGeometryOfQt("in a batch");
    }
    QApplication::processEvents();
    expectGeometryOfQt("after the batch");
}

// A screen reader reads the line at the caret and follows the selection, from the model.
TEST_F(TextViewTest, AccessibleTextIsTheModels) {
    box.setText(QStringLiteral("一行目\r\n二行目です\r\n三"));
    show();
    box.setSelection(6, 2);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_TRUE(a && a->textInterface());
    QAccessibleTextInterface* text = a->textInterface();
    int from = 0, to = 0;
    EXPECT_EQ(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &from, &to),
              QStringLiteral("二行目です"));
    EXPECT_EQ(text->characterCount(), box.length());
    text->selection(0, &from, &to);
    EXPECT_EQ(box.mid(from, to), QStringLiteral("行目"));
    a->editableTextInterface()->replaceText(from, to, QStringLiteral("ぎょうめ"));
    EXPECT_EQ(box.text(), QStringLiteral("一行目\r\n二ぎょうめです\r\n三"));
}
