#pragma once

#include "command/CommandContext.h"
#include "notation/NotationConvert.h"
#include "notation/NotationCount.h"

#include <QObject>
#include <QStringList>

// The count of the document for the target the writer chose, kept live while the count window
// or the status bar shows it, and the conversion command.
namespace notation {

struct CountSettings {
    Target target = Target::None;
    manuscript::GridOptions grid;
    bool statusPanel = false; // the status bar shows the live count
    bool operator==(const CountSettings&) const = default;
};

// Kept in section "data" of Pallo.ini; a missing or unreadable value keeps the default.
CountSettings loadCountSettings(const QString& iniPath);
void saveCountSettings(const QString& iniPath, const CountSettings& settings);

class NotationSession : public QObject {
    Q_OBJECT
public:
    explicit NotationSession(TextBox& box, QObject* parent = nullptr);

    const CountSettings& settings() const { return m_settings; }
    // Recounts when the target or the grid changes.
    void setSettings(const CountSettings& settings);

    // The count follows the text only while someone shows it: a window or the status bar
    // holds it, and the first holder counts the text afresh.
    void hold();
    void release();
    bool held() const { return m_holders > 0; }

    Totals totals() const { return m_count.totals(); }
    std::vector<LineProblem> problems() const { return m_count.problems(); }
    // The count window's lines below the document's own figures.
    QStringList summary() const;
    QString statusText() const;
    // "12行: 閉じていません「《かんじ」"
    QString problemLine(const LineProblem& problem) const;
    // Selects the place of a problem in the text box.
    void select(const LineProblem& problem);

signals:
    void countChanged();

private:
    void recount();

    TextBox& m_box;
    CountSettings m_settings;
    LiveCount m_count;
    int m_holders = 0;
};

// ツール → ルビ記法の変換: rewrites the whole text from one notation to another in one undo
// step and reports what could not be carried over, by line.
void convertDocument(CommandContext& ctx, Target from, Target to);
// The report of a conversion: nothing when everything was carried over.
QString lossReport(const std::vector<Loss>& losses);

} // namespace notation
