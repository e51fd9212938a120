#pragma once

#include "command/CommandContext.h"
#include "style/StyleConverter.h"

#include <QDialog>
#include <QTimer>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// 文体変換: the style conversion dialog. Shown without blocking, owned by the main window; the
// run itself lives in StyleConverter, this form only shows it.
//
// A run lets window events through while it walks the text, so the dialog can be unloaded
// (Command2, the close box, the main window closing) while its run is still on the stack. The
// form then only hides; it deletes itself once the run has returned.
class StyleConversionDialog : public QDialog, public style::StyleDialogPort {
    Q_OBJECT
public:
    explicit StyleConversionDialog(CommandContext& ctx, QWidget* parent = nullptr);

    style::StyleConverter& logic() { return m_logic; }
    // True once the dialog has been unloaded; it is gone, or going as soon as its run returns.
    bool isUnloaded() const { return m_unloaded; }

    // StyleDialogPort
    bool plainToPolite() const override;
    void clearReport() override;
    void appendReport(const QString& piece) override;
    void setReportCaption(const QString& caption) override;
    void setConvertEnabled(bool enabled) override;
    void setCloseCaption(const QString& caption) override;
    void showConfirmation(style::EndingConfirmation& confirmation) override;
    void unload() override;

public slots:
    // The close box and Esc stop a run and unload, like Command2 pressed twice.
    void reject() override;

private:
    void onConvertClicked();
    void onCancelClicked();
    void onReportChanged();
    // Shows the report lines and the count gathered since the last refresh.
    void flushReport();

    QGroupBox* m_frame1 = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QLabel* m_label1 = nullptr;
    QPlainTextEdit* m_text1 = nullptr;
    bool m_unloaded = false;
    // A run writes a line per conversion; the box and the label take them at most once per
    // turn of the event loop (a layout and a scroll each time would dominate the run).
    QString m_pendingReport;
    QString m_pendingCaption;
    bool m_captionPending = false;
    QTimer m_refresh;
    style::StyleConverter m_logic;
};
