#pragma once

#include "platform/Services.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

// The services as the running program provides them.
class QtPrompts : public Prompts {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    MsgAnswer message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;

private:
    QPointer<QWidget> m_parent;
};

class QtClipboard : public Clipboard {
public:
    bool text(QString& out) override;
    bool setText(const QString& text) override;
    QString selectionText() override;
};

class QtClock : public Clock {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

// A long command lets events through at every step of its loop. Handling them more often
// than a screen refresh shows nothing new and costs a repaint each time, so calls that come
// closer together than kIntervalNs are let through only once per interval.
class QtEventPump : public EventPump {
public:
    static constexpr qint64 kIntervalNs = 25'000'000;
    void doEvents() override;

private:
    QElapsedTimer m_last;
};

class QtMousePointer : public MousePointer {
public:
    void setBusy(bool busy) override;

private:
    int m_depth = 0;
};

class QPrinter;

class QtCommonDialogs : public CommonDialogs {
public:
    QtCommonDialogs();
    ~QtCommonDialogs() override;
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    std::optional<QString> saveFileName(const QString& proposedName, const QStringList& filters,
                                        int& filterIndex) override;
    bool chooseFont(FontChoice& font) override;
    bool chooseColor(qint32& color) override;
    bool printerSetup(const QString& title) override;
    bool printDialog(const QString& title) override;
    // The printer the dialogs configure, for printing.
    QPrinter& printer();
    void setPrintFileProposal(const QString& path) override { m_printFileProposal = path; }
    std::unique_ptr<PrintJob> printJob() override;

private:
    QPointer<QWidget> m_parent;
    std::unique_ptr<QPrinter> m_printer;
    QString m_printFileProposal;
};

// One of each, for the application.
struct QtServiceSet {
    QtPrompts prompts;
    QtClipboard clipboard;
    QtClock clock;
    QtEventPump pump;
    QtMousePointer pointer;
    QtCommonDialogs dialogs;
    Services services{prompts, clipboard, clock, pump, pointer, dialogs};
};
