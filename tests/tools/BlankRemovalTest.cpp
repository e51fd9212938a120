#include "documents/DocumentSession.h"
#include "tools/BlankRemoval.h"

#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>

namespace {

enum class Proc { Spaces, BlankLines, Both };

void run(CommandContext& ctx, Proc p) {
    switch (p) {
    case Proc::Spaces:
        return blanks::removeSpaces(ctx);
    case Proc::BlankLines:
        return blanks::removeBlankLines(ctx);
    case Proc::Both:
        return blanks::removeSpacesAndBlankLines(ctx);
    }
}

struct BlankCase {
    Proc proc;
    const char16_t* in;
    const char16_t* out;
};

class BlankRules : public ::testing::TestWithParam<BlankCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const BlankCase&, std::ostream* os) { *os << "row"; }

TEST_P(BlankRules, WholeText) {
    const BlankCase& p = GetParam();
    FakeEditor e;
    e.text.setText(QString::fromUtf16(p.in));
    e.text.setSelection(1, 2);
    run(e.ctx, p.proc);
    EXPECT_EQ(e.text.text(), QString::fromUtf16(p.out));
    EXPECT_EQ(e.text.selStart(), 0);
    EXPECT_EQ(e.text.selLength(), 0);
    EXPECT_EQ(e.fake.pointer.changes.last(), false);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BlankRules,
    ::testing::Values(BlankCase{Proc::Spaces, u"a b\u3000c\td", u"abcd"},
                      BlankCase{Proc::Spaces, u"a b\r\n c\u00a0\u2003", u"ab\r\nc\u00a0\u2003"},
                      BlankCase{Proc::BlankLines, u"a\r\n\r\n\r\nb", u"a\r\nb"},
                      BlankCase{Proc::BlankLines, u"\r\n\r\na", u"a"},
                      BlankCase{Proc::BlankLines, u"a\r\n\r\n", u"a\r\n"},
                      BlankCase{Proc::BlankLines, u"a\r\r\nb", u"a\r\nb"},
                      BlankCase{Proc::BlankLines, u"a\r\r\r\nb\n\n\r\rc", u"a\r\r\nb\n\n\r\rc"},
                      BlankCase{Proc::BlankLines, u"a\r\n \r\nb", u"a\r\n \r\nb"},
                      BlankCase{Proc::Both, u"a\r\n \u3000\t\r\nb c", u"a\r\nbc"},
                      BlankCase{Proc::Both, u" \r\n\r\n a", u"a"},
                      BlankCase{Proc::Both, u"", u""}));

// A command that finds nothing to remove leaves the document as changed as it was, so the
// close still asks about saving; one that removes something marks it changed.
TEST(BlankRemovalDirty, OnlyRealChangesTouchTheFlag) {
    for (Proc p : {Proc::Spaces, Proc::BlankLines, Proc::Both}) {
        FakeEditor e;
        QObject::connect(&e.text, &TextBox::changed, [&] { e.document.setDirty(true); });
        e.text.setText(QStringLiteral("typed\r\nnot saved"));
        run(e.ctx, p);
        EXPECT_TRUE(e.document.isDirty()) << int(p);
        e.document.setDirty(false);
        run(e.ctx, p);
        EXPECT_FALSE(e.document.isDirty()) << int(p);
        e.text.setText(QStringLiteral(" a\r\n\r\n"));
        e.document.setDirty(false);
        run(e.ctx, p);
        EXPECT_TRUE(e.document.isDirty()) << int(p);
    }
}

TEST(BlankRemovalUndo, CombinedCommandUndoneByOneUndo) {
    FakeEditor e;
    e.history.setMaxUndo(100);
    const QString before = QStringLiteral("a b\r\n\r\n\r\nc");
    e.text.setText(before);
    e.history.record(e.text);
    blanks::removeSpacesAndBlankLines(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("ab\r\nc"));
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), before);
}

} // namespace
