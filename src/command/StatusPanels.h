#pragma once

#include <QString>

// The status bar: panels 1 to 3 and the bar's tool tip.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void setPanelText(int panel, const QString& text) = 0;
    virtual void setStatusToolTip(const QString& text) = 0;
    // A panel showing a label and a quoted text: label + "「" + body + "」". The body may be a
    // whole second clipboard; a window may show a bounded preview of it and keep the exact
    // text beside it.
    virtual void setQuotedPanelText(int panel, const QString& label, const QString& body) {
        setPanelText(panel, label + QStringLiteral("「") + body + QStringLiteral("」"));
    }
    // refreshPositionPanel: the status bar's line and position panel.
    virtual void refreshStatus() = 0;
    // False while the wrapped layout of a large document is still being built.
    virtual bool layoutComplete() const = 0;
};
