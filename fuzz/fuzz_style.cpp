#include "history/UndoHistory.h"
#include "FuzzSupport.h"
#include "platform/TextCompare.h"
#include "style/StyleRunSupport.h"

#include <optional>

// The style conversion over random Japanese prose, with random answers to its confirmations
// and the direction switched at random while it runs: the run ends after a bounded number of
// steps, and every edit it makes is either a rule of the tables applied right before a mark or
// a confirmed ending rewritten inside its own sentence. So no edit reaches past a full stop,
// adds or removes a line break or a full stop, or touches anything outside the ending.

using namespace style;

namespace {

constexpr int kMaxUnits = 300;
constexpr int kMaxAnswers = 24;
constexpr int kWindow = 8; // the confirmation's seven characters and the full stop

const QString kKana = QString::fromUtf16(
    u"あいうかきくさしすただつてとなにのはまみむもやよらりるれろわをんがずでばぶぷっダタ");
const QString kKanji = QString::fromUtf16(u"本雨風今日天気行来作語結強落込思出下1１一つ");
const QString kOther = QString::fromUtf16(u"！？ \u3000");
const QString kTyped = QString::fromUtf16(u"あいうかだでするます本雨 ");

std::span<const EndingTable* const> chain(bool plainToPolite, EndingMark mark) {
    return endingChain(
        plainToPolite ? StyleDirection::PlainToPolite : StyleDirection::PoliteToPlain, mark);
}

// Every ending and replacement of the tables, and the endings the found-ending checks look for.
const QStringList& phrases() {
    static const QStringList list = [] {
        QStringList out{QStringLiteral("です"), QStringLiteral("ます"), QStringLiteral("だ"),
                        QStringLiteral("である")};
        for (bool plainToPolite : {true, false})
            for (EndingMark mark : {EndingMark::FullStop, EndingMark::Comma})
                for (const EndingTable* table : chain(plainToPolite, mark))
                    for (const EndingRule& rule : table->rules) {
                        out.append(QString::fromUtf16(rule.ending.data(), rule.ending.size()));
                        out.append(
                            QString::fromUtf16(rule.replacement.data(), rule.replacement.size()));
                    }
        return out;
    }();
    return list;
}

bool isFullStop(QChar c) {
    return textcmp::fold(c.unicode()) == u'。';
}
bool isComma(QChar c) {
    return textcmp::fold(c.unicode()) == u'、';
}

qsizetype count(const QString& s, bool (*what)(QChar)) {
    return std::count_if(s.begin(), s.end(), what);
}

QString makeText(fuzz::Input& in) {
    static const QString terminators = QString::fromUtf16(u"。。。。｡！？、､");
    QString text;
    while (!in.empty() && text.size() < kMaxUnits) {
        for (int pieces = 1 + in.pick(6); pieces > 0; --pieces) {
            switch (in.pick(6)) {
            case 0:
                text += in.text(kKana, 4);
                break;
            case 1:
                text += in.text(kKanji, 2);
                break;
            case 2:
                text += in.text(kOther, 1);
                break;
            default:
                text += phrases()[in.pick(int(phrases().size()))];
            }
        }
        if (in.pick(6)) text += terminators[in.pick(int(terminators.size()))];
        switch (in.pick(10)) {
        case 0:
        case 1:
            text += QStringLiteral("\r\n");
            break;
        case 2:
            text += u'\r';
            break;
        case 3:
            text += u'\n';
            break;
        }
    }
    return text.left(kMaxUnits);
}

// The run's dialog: counts the confirmations and notes the window and the typed ending of a
// conversion, so that the edit it makes can be checked.
class Dialog : public FakeStyleDialog {
public:
    int shown = 0;
    int limit = 0;
    std::optional<QString> typed; // set while a confirmed conversion writes its edit
    void showConfirmation(EndingConfirmation& confirmation) override {
        FUZZ_CHECK(++shown <= limit);
        if (!answers.isEmpty() && answers.head().kind == ConfirmAnswer::Convert)
            typed = answers.head().newEnding;
        FakeStyleDialog::showConfirmation(confirmation);
        typed.reset();
    }
};

// A rule of any table for this kind of mark, applied to the ending right before the mark at
// `mark` of `before`, gives `after`.
bool isRuleEdit(const QString& before, const QString& after, qsizetype mark) {
    const EndingMark kind = isFullStop(before[mark]) ? EndingMark::FullStop : EndingMark::Comma;
    for (bool plainToPolite : {true, false})
        for (const EndingTable* table : chain(plainToPolite, kind))
            for (const EndingRule& rule : table->rules) {
                const QString ending = QString::fromUtf16(rule.ending.data(), rule.ending.size());
                const qsizetype start = mark - ending.size();
                if (start < 0 || before.mid(start, ending.size()) != ending) continue;
                const QString replacement =
                    QString::fromUtf16(rule.replacement.data(), rule.replacement.size());
                if (after == before.left(start) + replacement + before.mid(mark)) return true;
            }
    return false;
}

// The confirmed conversion: at most the window's first three characters are kept, the rest up
// to its full stop becomes the typed ending and "。"; what goes holds no full stop and no line
// break.
bool isConfirmedEdit(const QString& before, const QString& after, int start, int length,
                     const QString& typed) {
    const QString window = before.mid(start, length);
    if (window.isEmpty() || length > kWindow || !isFullStop(window.back())) return false;
    for (int kept = 0; kept <= 3 && kept < length; ++kept) {
        const QString gone = window.mid(kept, length - 1 - kept);
        if (after == before.left(start) + window.left(kept) + typed + QStringLiteral("。") +
                         before.mid(start + length))
            return count(gone, isFullStop) == 0 && !gone.contains(u'\r') && !gone.contains(u'\n');
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const bool plainToPolite = in.flag();
    const QByteArray actions = in.bytes(32);
    QList<ConfirmAnswer> answers;
    for (int n = in.pick(kMaxAnswers + 1); n > 0; --n) {
        const auto kind = ConfirmAnswer::Kind(in.pick(3));
        answers.append({kind, kind == ConfirmAnswer::Convert ? in.text(kTyped, 6) : QString()});
    }
    const QString original = makeText(in);
    const qsizetype marks = count(original, isFullStop) + count(original, isComma);

    static FakeEditor& e = *new FakeEditor;
    e.history.setMaxUndo(2);
    e.fake.pump.calls = 0;
    e.fake.prompts.shown.clear();
    Dialog dialog;
    dialog.attach(e.text);
    dialog.option1 = plainToPolite;
    dialog.limit = 4 * int(count(original, isFullStop));
    for (const ConfirmAnswer& a : answers)
        dialog.answers.enqueue(a);
    StyleConverter converter(e.ctx, dialog);
    e.text.setText(original);
    converter.onLoad();

    // Events run a bounded number of times per mark; in between the writer may switch the
    // direction or press キャンセル.
    e.fake.pump.onEvents = [&] {
        const int call = e.fake.pump.calls;
        FUZZ_CHECK(call <= 4 * (marks + 4));
        const std::uint8_t action = call <= actions.size() ? std::uint8_t(actions[call - 1]) : 0;
        if (action % 8 == 1) dialog.option1 = !dialog.option1;
        if (action == 0xFF) converter.onCancelClicked();
    };

    QString before = original;
    int ruleEdits = 0;
    QObject context;
    QObject::connect(
        &e.text, &TextBox::textReplaced, &context, [&](int pos, int removed, const QString&) {
            const QString& after = e.text.text();
            if (dialog.typed) {
                const ShownConfirmation& w = dialog.confirmations.last();
                FUZZ_CHECK(isConfirmedEdit(before, after, w.selStart, w.selLength, *dialog.typed));
            } else {
                bool explained = false;
                for (qsizetype m = pos; m <= pos + removed + kWindow && m < before.size(); ++m)
                    if ((isFullStop(before[m]) || isComma(before[m])) &&
                        isRuleEdit(before, after, m))
                        explained = true;
                FUZZ_CHECK(explained);
                ++ruleEdits;
            }
            before = after;
        });

    converter.onConvertClicked();
    e.fake.pump.onEvents = nullptr;
    const QString& result = e.text.text();
    FUZZ_CHECK(!converter.running());
    FUZZ_CHECK(converter.ConvertedCount() >= ruleEdits);
    FUZZ_CHECK(result.count(QStringLiteral("\r\n")) == original.count(QStringLiteral("\r\n")));
    FUZZ_CHECK(result.count(u'\r') == original.count(u'\r'));
    FUZZ_CHECK(result.count(u'\n') == original.count(u'\n'));
    FUZZ_CHECK(count(result, isFullStop) == count(original, isFullStop));
    return 0;
}
