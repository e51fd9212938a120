#include "shell/MainLogic.h"
#include "documents/DocumentSession.h"

#include "command/NumberText.h"
#include "command/Settings.h"
#include "command/SettingsFolder.h"
#include "documents/DocumentFile.h"
#include "documents/DocumentPlaces.h"
#include "documents/FileChanges.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "history/ClipboardPanels.h"
#include "history/UndoHistory.h"
#include "shell/Options.h"
#include "state/DocumentTitle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

// Longer clipboard texts are kept out of the clipboard history at start-up.
constexpr int kClipboardHistoryLimit = 33000;

const QString kSaveQuestion = QStringLiteral("の内容が変更されています。保存しますか？");

} // namespace

MainLogic::MainLogic(AppState& state, TextBox& text, Services& services, MainWindowPort& window,
                     QString programDir, UndoHistory& history, DocumentSession& document)
    : m_state(state), m_text(text), m_services(services), m_window(window),
      m_programDir(::settingsFolder(programDir)), m_history(history), m_document(document) {}

QString MainLogic::iniPath() const {
    return settings::iniPath(m_programDir);
}

QString MainLogic::backupPath() const {
    return backupFilePath(m_programDir);
}

QString MainLogic::read(const QString& key) const {
    return readSetting(settings::kSection, key, iniPath());
}

QString MainLogic::shortDate(const QDate& date) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(date, QLocale::ShortFormat);
}

// ---------------------------------------------------------------- start-up

void MainLogic::startup(const QString& commandLine) {
    startupWindow();
    startupDocument(commandLine);
}

void MainLogic::startupWindow() {
    phaseA();
    windowSettings();
}

void MainLogic::startupDocument(const QString& commandLine) {
    phaseB(commandLine);
    phaseC();
}

void MainLogic::phaseA() {
    m_text.setText(QString());
    m_document.setFormat(DocumentFormat());
    m_document.setUntitled();
    m_document.setDirty(false);
    m_document.setLoadedText(QString());
    m_state.SecondClipboard.clear();
    m_history.clear();
    m_state.ClipHistoryCount = 1;
    while (m_state.ClipHistory.size() < 2)
        m_state.ClipHistory.append(QString());
    m_state.ClipHistory = m_state.ClipHistory.mid(0, 2);

    // A very long clipboard text may be another program's only copy: it stays on the
    // clipboard and is only kept out of the history.
    QString clip;
    if (!m_services.clipboard.text(clip) || clip.size() > kClipboardHistoryLimit) clip.clear();
    m_state.ClipHistory[1] = clip;
    m_state.ClipHistoryCount = 2;
    m_window.setStatusToolTip(clip);

    m_state.BackupTicks = 2;
    m_state.BackupCountdown = 0;

    refreshClipboardPanel();
    refreshSecondClipboardPanel();
    refreshPositionPanel();
}

bool MainLogic::loadInto(const QString& path, qint64 maxBytes) {
    QString text;
    DocumentFormat format;
    if (!readDocumentFile(path, text, format, maxBytes)) return false;
    m_text.setText(text);
    CommandContext ctx = context();
    ctx.document.setFormat(format);
    return true;
}

CommandContext MainLogic::context() {
    return {m_state, m_text, m_services, m_window, m_programDir, m_history, m_document};
}

void MainLogic::phaseB(const QString& commandLine) {
    const QString backupFile = backupPath();
    // A missing backup leaves the text empty. The backup is read whatever its size: the text
    // box held that text, and an unread backup would be emptied just below.
    bool keptInPlace = false;
    if (!loadInto(backupFile, kNoDocumentLimit) && QFileInfo::exists(backupFile))
        keptInPlace = !keepUnreadableBackup(backupFile);
    if (!m_text.text().isEmpty()) {
        // The previous run ended without the shutdown sequence: its backup is the document.
        m_document.setPath(backupFile);
        m_document.setLoadedText(m_text.text());
        return;
    }

    if (!keptInPlace) {
        QFile backup(backupFile);
        if (!backup.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    }

    // Only blanks are trimmed: quotation marks stay part of the path.
    QString path = commandLine;
    while (path.startsWith(u' '))
        path.remove(0, 1);
    while (path.endsWith(u' '))
        path.chop(1);
    if (!path.isEmpty()) {
        if (!loadInto(path)) {
            // A name for a file not yet written, in a folder that exists: the empty
            // document is saved under it.
            const QFileInfo named(path);
            if (named.exists() || !named.absoluteDir().exists()) return;
            m_newFilePath = named.absoluteFilePath();
            m_document.setPath(m_newFilePath);
            return;
        }
        m_document.setPath(path);
        m_document.setLoadedText(m_text.text());
        return;
    }

    if (!startupchoice::opensLastFile(read(settings::key::Auto))) return;
    const QString last =
        readPathSetting(settings::kSection, settings::key::recentFile(0), iniPath());
    if (!loadInto(last)) return;
    m_document.setPath(last);
    m_document.setLoadedText(m_text.text());
    CommandContext ctx = context();
    restorePlace(ctx);
}

bool MainLogic::keepUnreadableBackup(const QString& backupFile) {
    const QString backup = QDir::toNativeSeparators(backupFile);
    const QString aside = setBackupAside(backupFile, m_services.clock.now());
    const QString head = QStringLiteral("自動バックアップ ") + backup +
                         QStringLiteral(" を読み込めませんでした。");
    m_services.prompts.message(
        aside.isEmpty()
            ? head + QStringLiteral("名前を変えて残すこともできませんでした。")
            : head + QStringLiteral("上書きしないよう、") + QDir::toNativeSeparators(aside) +
                  QStringLiteral(" に名前を変えて残しました。"),
        MsgButtons::OK, MsgIcon::Exclamation);
    return !aside.isEmpty();
}

// What the window shows before the document: read before it, so that the window appears as
// the settings have it.
void MainLogic::windowSettings() {
    if (startupchoice::appliesStored(read(settings::key::Font))) {
        if (const auto size = numtext::toDouble(read(settings::key::FontSize)))
            m_window.setFontSize(*size);
        const QString name = read(settings::key::FontName);
        if (!name.isEmpty()) m_window.setFontName(name);
    }

    if (startupchoice::appliesStored(read(settings::key::Color))) {
        if (const auto fore = numtext::toInt32(read(settings::key::ForeColor)))
            m_window.setForeColor(*fore);
        if (const auto back = numtext::toInt32(read(settings::key::BackColor)))
            m_window.setBackColor(*back);
    }

    if (!startupchoice::startsWithIme(read(settings::key::Ime))) m_window.setDirectInput();
    m_window.setShowMarks(read(settings::key::Marks) == QStringLiteral("1"));

    if (const auto v = numtext::toInt32(read(settings::key::Top))) m_window.setWindowTop(*v);
    if (const auto v = numtext::toInt32(read(settings::key::Left))) m_window.setWindowLeft(*v);
    if (const auto v = numtext::toInt32(read(settings::key::Width)))
        m_window.setWindowWidth(*v - 1);
    if (const auto v = numtext::toInt32(read(settings::key::Height)))
        m_window.setWindowHeight(*v - 1);

    m_state.SecondClipboard = read(settings::key::SecondClipboard);

    m_history.setMaxUndo(startupchoice::maxUndo(read(settings::key::MaxUndo)));

    for (int i = 0; i <= 9; ++i) {
        m_state.UserStrings[i] = read(settings::key::userString(i));
        m_window.setPopupUserStringCaption(i, m_state.UserStrings[i]);
    }
    for (int i = 0; i <= 2; ++i) {
        const QString path =
            readPathSetting(settings::kSection, settings::key::recentFile(i), iniPath());
        if (path.isEmpty()) continue;
        m_document.restoreRecentFile(i, path);
        const auto caret = numtext::toInt32(read(settings::key::recentCaret(i)));
        const auto top = numtext::toInt32(read(settings::key::recentTop(i)));
        if (caret && top) m_document.restoreRecentPlace(i, {*caret, *top});
    }
    const QString today = shortDate(m_services.clock.now().date());
    m_window.setPopupUserStringCaption(10, today);
    m_window.setMenuUserStringCaption(10, today);
}

void MainLogic::phaseC() {
    // The start-up checkpoint records the caret at 1, whatever it is. It is the text as loaded,
    // which the document keeps already: the two share one packed copy.
    if (m_document.keptLoadedText().size() == m_text.length())
        m_history.startFrom(1, m_document.keptLoadedText());
    else
        m_history.startFrom(1, m_text.text());

    refreshSecondClipboardPanel();
    refreshPositionPanel();
    m_document.setDirty(false);

    if (m_text.text().isEmpty() && m_newFilePath.isEmpty()) m_document.setUntitled();
    CommandContext ctx = context();
    followDocumentFile(ctx);
}

// ---------------------------------------------------------------- shutdown

bool MainLogic::shutdown() {
    if (m_document.isDirty() || isRecoveredText(context())) {
        const MsgAnswer answer = m_services.prompts.message(
            m_document.displayName() + kSaveQuestion, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel) return false;
        if (answer == MsgAnswer::Yes) {
            CommandContext ctx = context();
            const bool saved = m_document.isUntitled() ? saveTextAs(ctx, m_text.text())
                                                       : saveText(ctx, m_text.text());
            // Closing after a cancelled or failed save would lose the text.
            if (!saved) return false;
        }
    }

    // A backup that another program already removed is no reason to lose the settings.
    QFile backup(backupPath());
    if (backup.exists() && !backup.remove()) return true;

    const QString ini = iniPath();
    const auto write = [&](const QString& key, const QString& value) {
        writeSetting(settings::kSection, key, ini, value);
    };
    if (!m_window.isMaximized()) {
        write(settings::key::Top, QString::number(m_window.windowTop()));
        write(settings::key::Width, QString::number(m_window.windowWidth()));
        write(settings::key::Height, QString::number(m_window.windowHeight()));
        write(settings::key::Left, QString::number(m_window.windowLeft()));
    }
    write(settings::key::SecondClipboard, m_state.SecondClipboard);
    write(settings::key::FontSize, QLocale::c().toString(m_window.fontSize(), 'g', 10));
    write(settings::key::FontName, m_window.fontName());
    write(settings::key::ForeColor, QString::number(m_window.foreColor()));
    write(settings::key::BackColor, QString::number(m_window.backColor()));
    if (m_window.showsMarks() || !read(settings::key::Marks).isEmpty())
        write(settings::key::Marks, m_window.showsMarks() ? QStringLiteral("1") : QStringLiteral("0"));
    for (int i = 0; i <= 9; ++i)
        write(settings::key::userString(i), m_state.UserStrings[i]);
    CommandContext ctx = context();
    rememberPlace(ctx);
    for (int i = 0; i <= 2; ++i) {
        write(settings::key::recentFile(i), pathToSetting(m_document.recentFile(i)));
        // An entry without a place clears an old one, which would land in another file.
        const auto place = m_document.recentPlace(i);
        const auto keep = [&](const QString& key, int value) {
            if (place || !read(key).isEmpty())
                write(key, place ? QString::number(value) : QString());
        };
        keep(settings::key::recentCaret(i), place ? place->caret : 0);
        keep(settings::key::recentTop(i), place ? place->top : 0);
    }
    return true;
}

// ---------------------------------------------------------------- status bar

void MainLogic::refreshPositionPanel(bool exact) {
    if (!exact && !m_window.layoutComplete()) return;
    m_state.LineTotal = m_text.lineCount();
    const int caretLine = m_text.lineFromChar(-1);
    const int caretColumn = m_text.selStart() - 2 * caretLine;
    m_state.CharTotal = m_text.length() - 2 * m_state.LineTotal + 2;
    m_window.setPanelText(3, QStringLiteral("総行数:") + QString::number(m_state.LineTotal) +
                                 QStringLiteral(" 現在行:") + QString::number(caretLine) +
                                 QStringLiteral(" 文字位置:") +
                                 QString::number(caretColumn) +
                                 QStringLiteral(" 総文字数:") + QString::number(m_state.CharTotal) +
                                 QStringLiteral(" "));
}

void MainLogic::refreshClipboardPanel() {
    clippanels::refreshClipboardPanel(m_state, m_services.clipboard, m_window);
}

void MainLogic::refreshSecondClipboardPanel() {
    clippanels::refreshSecondClipboardPanel(m_state, m_window);
}

// ---------------------------------------------------------------- events

void MainLogic::onActivate() {
    refreshPositionPanel();
    refreshClipboardPanel();
}

void MainLogic::onResize() {
    refreshClipboardPanel();
}

void MainLogic::onTextChanged() {
    m_document.setDirty(true);
    m_history.setUndoPending(true);
}

void MainLogic::onTextClicked() {
    refreshPositionPanel();
}

void MainLogic::onTextFocusIn() {
    refreshPositionPanel();
    refreshClipboardPanel();
}

void MainLogic::onTextKeyUp(int keyCode, int /*shift*/) {
    refreshPositionPanel();
    refreshSecondClipboardPanel();
    if (m_history.undoPending() && (keyCode == 32 || keyCode == 13 || keyCode == 8)) {
        m_history.record(m_text);
        m_history.setUndoPending(false);
    }
}

void MainLogic::onTextFocusOut() {
    if (m_history.undoPending()) {
        m_history.record(m_text);
        m_history.setUndoPending(false);
    }
}

void MainLogic::onTextMouseMove(int buttons, int /*shift*/) {
    if (buttons != 1 || m_text.selLength() <= 0) return;
    // The selection's length without the CR LF pairs wholly inside it, taken from the line
    // index rather than by scanning the selection at every mouse move.
    const int start = m_text.selStart();
    const int end = start + m_text.selLength();
    const int pairs = m_text.hardLineFromChar(end) - m_text.hardLineFromChar(start + 1);
    const int count = m_text.selLength() - 2 * pairs;
    m_window.setPanelText(2, QStringLiteral("選択範囲：") + QString::number(count) +
                                 QStringLiteral("文字"));
}

void MainLogic::onTextMouseDown(int /*button*/, int /*shift*/) {
    refreshSecondClipboardPanel();
}
