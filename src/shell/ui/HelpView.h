#pragma once

#include <QTextBrowser>

// The help window: the manual in a browser of its own, opened at a keyword's section. A
// missing manual is reported inside the window; the program goes on.
class HelpView : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpView(QWidget* parent = nullptr);

    // Loads the manual found for `programDir` (once) and scrolls to the keyword's section.
    void showAt(const QString& programDir, const QString& keyword);
    bool manualLoaded() const { return m_loaded; }

private:
    bool m_loaded = false;
};
