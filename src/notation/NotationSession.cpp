#include "notation/NotationSession.h"

#include "command/Settings.h"
#include "history/UndoHistory.h"

namespace notation {

namespace {

const QString kTargetKey = QStringLiteral("notation");
const QString kGridKey = QStringLiteral("notationgrid");
const QString kShareKey = QStringLiteral("notationshare");
const QString kPairKey = QStringLiteral("notationpair");
const QString kStatusKey = QStringLiteral("notationstatus");

// The problems a report lists before it says how many more there are.
constexpr int kReportedLosses = 20;

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

CountSettings loadCountSettings(const QString& iniPath) {
    CountSettings s;
    const auto read = [&](const QString& key) {
        return readSetting(settings::kSection, key, iniPath);
    };
    s.target = targetFromKey(read(kTargetKey));
    // "20x20": cells of a line by lines of a page.
    const QStringList grid = read(kGridKey).split(u'x');
    if (grid.size() == 2) {
        bool okColumns = false, okRows = false;
        const int columns = grid[0].toInt(&okColumns), rows = grid[1].toInt(&okRows);
        if (okColumns && okRows && columns >= 1 && columns <= 1000 && rows >= 1 && rows <= 1000)
            s.grid.columns = columns, s.grid.rows = rows;
    }
    s.grid.closingShares = read(kShareKey) == u"1";
    s.grid.narrowPairs = read(kPairKey) == u"1";
    s.statusPanel = read(kStatusKey) == u"1";
    return s;
}

void saveCountSettings(const QString& iniPath, const CountSettings& s) {
    const auto write = [&](const QString& key, const QString& value) {
        writeSetting(settings::kSection, key, iniPath, value);
    };
    write(kTargetKey, targetKey(s.target));
    write(kGridKey, QStringLiteral("%1x%2").arg(s.grid.columns).arg(s.grid.rows));
    write(kShareKey, flag(s.grid.closingShares));
    write(kPairKey, flag(s.grid.narrowPairs));
    write(kStatusKey, flag(s.statusPanel));
}

NotationSession::NotationSession(TextBox& box, QObject* parent) : QObject(parent), m_box(box) {
    connect(&box, &TextBox::textReplaced, this, [this](int pos, int removed, const QString& ins) {
        if (!held()) return;
        m_count.update(m_box, pos, removed, int(ins.size()));
        emit countChanged();
    });
}

void NotationSession::setSettings(const CountSettings& settings) {
    const bool changed = settings.target != m_settings.target || !(settings.grid == m_settings.grid);
    m_settings = settings;
    if (changed && held()) recount();
    emit countChanged();
}

void NotationSession::hold() {
    if (m_holders++ == 0) recount();
}

void NotationSession::release() {
    if (m_holders > 0) --m_holders;
}

void NotationSession::recount() {
    m_count.reset(m_settings.target, m_settings.grid, m_box.text());
}

QStringList NotationSession::summary() const {
    const Totals t = totals();
    return {
        QStringLiteral("ルビと記号を除いた文字数（空白・改行を含む） : %1").arg(t.withBlanks),
        QStringLiteral("ルビと記号を除いた文字数（空白・改行を含まない） : %1").arg(t.withoutBlanks),
        QStringLiteral("ルビ : %1　傍点 : %2").arg(t.ruby).arg(t.emphasis),
        QStringLiteral("原稿用紙換算（%1×%2） : %3")
            .arg(m_settings.grid.columns)
            .arg(m_settings.grid.rows)
            .arg(manuscript::pagesText(t.manuscriptLines, m_settings.grid.rows)),
        QStringLiteral("記法の問題 : %1").arg(t.problems),
    };
}

QString NotationSession::statusText() const {
    const Totals t = totals();
    return QStringLiteral("%1 %2字 %3")
        .arg(targetName(m_settings.target))
        .arg(t.withoutBlanks)
        .arg(manuscript::pagesText(t.manuscriptLines, m_settings.grid.rows));
}

QString NotationSession::problemLine(const LineProblem& p) const {
    const int start = m_box.hardLineStart(p.line);
    const QString what = m_box.text().mid(start + p.problem.at.start,
                                          std::min(p.problem.at.size(), 24));
    return QStringLiteral("%1行: %2「%3」")
        .arg(p.line + 1)
        .arg(problemText(p.problem.kind), what);
}

void NotationSession::select(const LineProblem& p) {
    // A list shown a moment ago may name a place the typing has since moved or removed.
    const int start = std::min(m_box.hardLineStart(p.line) + p.problem.at.start, m_box.length());
    m_box.setSelection(start, std::min(p.problem.at.size(), m_box.length() - start));
}

QString lossReport(const std::vector<Loss>& losses) {
    if (losses.empty()) return {};
    QString out = QStringLiteral("次の%1箇所は移せませんでした。").arg(losses.size());
    for (std::size_t i = 0; i < losses.size() && i < kReportedLosses; ++i)
        out += QStringLiteral("\n%1行: %2").arg(losses[i].line + 1).arg(losses[i].what);
    if (losses.size() > kReportedLosses)
        out += QStringLiteral("\nほか%1箇所").arg(losses.size() - kReportedLosses);
    return out;
}

void convertDocument(CommandContext& ctx, Target from, Target to) {
    Conversion c = convert(ctx.text.text(), from, to);
    if (c.text != ctx.text.text()) {
        ctx.history.record(ctx.text);
        ctx.text.setText(c.text);
    }
    if (!c.losses.empty())
        ctx.services.prompts.message(lossReport(c.losses), MsgButtons::OK, MsgIcon::Exclamation);
}

} // namespace notation
