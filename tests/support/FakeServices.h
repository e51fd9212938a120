#pragma once

#include "platform/Services.h"

#include <QList>
#include <QQueue>
#include <functional>
#include <optional>

// Scripted stand-ins: answers are given in advance, in order; every message is recorded.
struct RecordedMessage {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
};

class ScriptedPrompts : public Prompts {
public:
    QQueue<MsgAnswer> answers;
    QList<RecordedMessage> shown;
    // Runs while a message is "open", the way the platform keeps delivering timer ticks
    // during a modal message box.
    std::function<void()> whileOpen;
    MsgAnswer message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override {
        shown.append({text, buttons, icon, title});
        if (whileOpen) whileOpen();
        if (!answers.isEmpty()) return answers.dequeue();
        // An unscripted question is a test fault: answer the safest way.
        return buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
    }
    QStringList texts() const {
        QStringList out;
        for (const RecordedMessage& m : shown)
            out.append(m.text);
        return out;
    }
};

class FakeClipboard : public Clipboard {
public:
    QString content;
    QString selection;
    bool failing = false;
    QString selectionText() override { return selection; }
    bool text(QString& out) override {
        if (failing) return false;
        out = content;
        return true;
    }
    bool setText(const QString& t) override {
        if (failing) return false;
        content = t;
        return true;
    }
};

class FakeClock : public Clock {
public:
    QDateTime current{QDate(2026, 12, 8), QTime(9, 0)};
    QDateTime now() override { return current; }
};

class FakePump : public EventPump {
public:
    int calls = 0;
    // Runs at every call: what the writer does while a long command lets events through.
    std::function<void()> onEvents;
    void doEvents() override {
        ++calls;
        if (onEvents) onEvents();
    }
};

class FakePointer : public MousePointer {
public:
    QList<bool> changes;
    void setBusy(bool busy) override { changes.append(busy); }
};

class ScriptedDialogs : public CommonDialogs {
public:
    QQueue<std::optional<QString>> saveAnswers;
    QStringList proposed;
    QQueue<std::optional<FontChoice>> fontAnswers;
    QList<FontChoice> fontPresets; // what each font dialog was opened with
    QQueue<std::optional<qint32>> colorAnswers;
    QQueue<bool> printAnswers;
    QStringList printTitles;
    std::optional<QString> saveFileName(const QString& proposedName, const QStringList&,
                                        int&) override {
        proposed.append(proposedName);
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    }
    bool chooseFont(FontChoice& font) override {
        fontPresets.append(font);
        const auto answer = fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
        if (answer) font = *answer;
        return answer.has_value();
    }
    bool chooseColor(qint32& color) override {
        const auto answer = colorAnswers.isEmpty() ? std::nullopt : colorAnswers.dequeue();
        if (answer) color = *answer;
        return answer.has_value();
    }
    bool printerSetup(const QString& title) override { return print(title); }
    bool printDialog(const QString& title) override { return print(title); }

private:
    bool print(const QString& title) {
        printTitles.append(title);
        return !printAnswers.isEmpty() && printAnswers.dequeue();
    }
};

struct FakeServiceSet {
    ScriptedPrompts prompts;
    FakeClipboard clipboard;
    FakeClock clock;
    FakePump pump;
    FakePointer pointer;
    ScriptedDialogs dialogs;
    Services services{prompts, clipboard, clock, pump, pointer, dialogs};
};
