#include "documents/DocumentSession.h"
#include "FuzzSupport.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

// Any sequence of edits, recordings, Undo, Redo, back-to-loaded, resets and changes of the
// history limit leaves the text, the caret and every slot of both histories as a plain list of
// checkpoint strings, moved slot by slot the way the history's rules describe, leaves them.
// Texts are long enough to be held in several shared pieces, and edits are small, so the
// checkpoints that share pieces with their neighbours are compared character for character.

namespace {

const QString kNoUndo = QStringLiteral("UNDODATAがないか全く新規の状態です。");
const QString kNoRedo = QStringLiteral("RedoDataがありません");
const QString kBackToLoaded = QStringLiteral("文書を最も最初の状態に戻します。よろしいですか？");

constexpr char16_t kAlphabet[] = {u'a', u'b', u'\r', u'\n', u'あ', u'亜', 0xD83D, 0xDE00};

// The history as the rules describe it: lists of checkpoint strings, index 0 being slot 1,
// "" an empty slot.
struct Model {
    QStringList undo{QString()};
    int undoCount = 1;
    QStringList redo{QString()};
    int redoCount = 1;
    int maxUndo = 0;
    QString text;
    int caret = 0;
    QString loaded;
    QStringList messages;

    static QString textOf(const QString& slot) { return slot.mid(5); }
    static int positionOf(const QString& slot) { return slot.left(5).toInt(); }

    void setText(const QString& t) {
        text = t;
        caret = 0;
    }
    void moveCaret(int p) { caret = std::clamp(p, 0, int(text.size())); }
    void snapshot() { undo[0] = QStringLiteral("%1").arg(caret, 5, 10, QLatin1Char('0')) + text; }

    void record() {
        // A text slot 1 holds already takes only the caret.
        if (!undo[0].isEmpty() && textOf(undo[0]) == text) {
            snapshot();
            return;
        }
        push();
    }
    void push() {
        if (maxUndo >= undoCount) {
            ++undoCount;
            undo.append(QString());
            for (int n = undoCount; n >= 2; --n)
                undo[n - 1] = undo[n - 2];
            redo = QStringList{QString()};
            redoCount = 1;
        } else {
            if (undoCount >= 2) undo[undoCount - 2] = QString();
            for (int n = undoCount - 1; n >= 2; --n)
                undo[n - 1] = undo[n - 2];
        }
        snapshot();
    }
    void reset() {
        undo = QStringList{QString()};
        undoCount = redoCount = 1;
    }

    void undoStep() {
        record();
        if (undoCount < 2) return;
        if (undo[1].isEmpty() || undo[0].isEmpty()) {
            messages.append(kNoUndo);
            return;
        }
        const QString prev = undo[1];
        if (text == textOf(prev)) return;
        while (redo.size() > redoCount)
            redo.removeLast();
        while (redo.size() < redoCount)
            redo.append(QString());
        ++redoCount;
        for (int k = redoCount - 2; k >= 1; --k)
            redo[k] = redo[k - 1];
        redo[0] = undo[0];
        setText(textOf(prev));
        moveCaret(positionOf(prev));
        for (int i = 2; i <= undoCount - 1; ++i)
            undo[i - 1] = undo[i];
        snapshot();
    }

    void redoStep() {
        record();
        if (redo[0].isEmpty()) {
            messages.append(kNoRedo);
            return;
        }
        if (undoCount < 2) return;
        for (int n = undoCount; n >= 2; --n)
            undo[n - 1] = undo[n - 2];
        undo[0] = redo[0];
        setText(textOf(undo[0]));
        moveCaret(positionOf(undo[0]));
        redo.removeFirst();
        redo.append(QString());
    }

    void backToLoaded(bool yes) {
        messages.append(kBackToLoaded);
        if (!yes) return;
        record();
        setText(loaded);
    }
};

struct Editor {
    AppState state;
    TextBox text;
    FakeServiceSet fake;
    FakeWindow window;
    UndoHistory history;
    DocumentSession document{window};
    CommandContext ctx{state, text, fake.services, window, QString(), history, document};
};

void compare(const Editor& e, const Model& m) {
    FUZZ_CHECK(e.text.text() == m.text);
    FUZZ_CHECK(e.text.selStart() == m.caret);
    FUZZ_CHECK(e.history.undoCount() == m.undoCount && e.history.redoCount() == m.redoCount);
    FUZZ_CHECK(e.history.undoSlots().size() == m.undo.size());
    for (int slot = 1; slot <= e.history.undoSlots().size(); ++slot)
        FUZZ_CHECK(e.history.undoSlots()[slot].toString() == m.undo[slot - 1]);
    FUZZ_CHECK(e.history.redoSlots().size() == m.redo.size());
    for (int slot = 1; slot <= e.history.redoSlots().size(); ++slot)
        FUZZ_CHECK(e.history.redoSlots()[slot].toString() == m.redo[slot - 1]);
    FUZZ_CHECK(e.fake.prompts.texts() == m.messages);
}

QString shortText(fuzz::Input& in, int max) {
    return in.text(QStringView(kAlphabet, std::size(kAlphabet)), max);
}

// A long text of a repeated pattern with line breaks, so that its pieces are many and alike.
QString longText(fuzz::Input& in) {
    const QString pattern = shortText(in, 8) + QStringLiteral("\r\n");
    const int length = 2000 + in.pick(5000);
    QString out;
    while (out.size() < length)
        out += pattern;
    return out.left(length);
}

qsizetype commonHead(QStringView a, QStringView b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

qsizetype commonTail(QStringView a, QStringView b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512) return 0;
    fuzz::Input in(data, size);
    Editor e;
    Model m;
    const QString start = in.flag() ? longText(in) : shortText(in, 12);
    m.maxUndo = in.pick(5);
    e.history.setMaxUndo(qint16(m.maxUndo));
    e.text.setText(start);
    m.setText(start);
    m.loaded = start;
    e.document.setLoadedText(start);
    if (in.flag()) {
        // The start-up checkpoint: position field 1.
        e.history.startFrom(1, start);
        m.undo[0] = QStringLiteral("00001") + start;
    }
    compare(e, m);

    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.pick(16)) {
        case 0:
        case 1:
        case 2:
        case 3: { // an edit, typed by the writer or made by a command alike
            const int len = int(m.text.size());
            const int pos = in.pick(len + 1);
            const int removed = in.pick(8) == 0 ? in.pick(len - pos + 1) : in.pick(4);
            // Large pastes stop well before the caret outgrows the five-digit field.
            const bool paste = in.pick(8) == 0 && len < 20000;
            const QString inserted = paste ? m.text.mid(in.pick(len + 1), 3000) : shortText(in, 4);
            e.text.replace(pos, removed, inserted);
            const int cut = std::min(removed, len - pos);
            m.text = m.text.left(pos) + inserted + m.text.mid(pos + cut);
            m.caret = pos + int(inserted.size());
            break;
        }
        case 4: {
            const int p = in.pick(int(m.text.size()) + 2);
            e.text.setSelStart(p);
            m.moveCaret(p);
            break;
        }
        case 5:
        case 6:
            e.history.record(e.text);
            m.record();
            break;
        case 7: { // a run's recording, told what it left unchanged since slot 1
            const QString base = Model::textOf(m.undo[0]);
            const int head = in.pick(int(commonHead(base, m.text)) + 1);
            const int tail = in.pick(int(commonTail(base, m.text)) + 1);
            e.history.recordEdited(e.text, head, tail);
            // Told it is unchanged, it takes the caret alone; otherwise a new checkpoint.
            if (!m.undo[0].isEmpty() && base.size() == m.text.size() && head + tail >= m.text.size())
                m.snapshot();
            else
                m.push();
            break;
        }
        case 8:
        case 9:
            undo(e.ctx);
            m.undoStep();
            break;
        case 10:
        case 11:
            redo(e.ctx);
            m.redoStep();
            break;
        case 12:
            e.history.reset();
            m.reset();
            break;
        case 13:
            m.maxUndo = in.pick(5);
            e.history.setMaxUndo(qint16(m.maxUndo));
            break;
        case 14: {
            const bool yes = in.flag();
            e.fake.prompts.answers.enqueue(yes ? MsgAnswer::Yes : MsgAnswer::No);
            redoAll(e.ctx);
            m.backToLoaded(yes);
            break;
        }
        default: // the key-up and focus-loss recordings
            e.history.record(e.text);
            m.record();
            break;
        }
        compare(e, m);
    }
    return 0;
}
