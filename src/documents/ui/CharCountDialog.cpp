#include "documents/ui/CharCountDialog.h"

#include "command/Settings.h"
#include "documents/CharCount.h"
#include "notation/ui/NotationCountWidget.h"
#include "platform/ui/QtObjectNames.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CharCountDialog::CharCountDialog(CommandContext& ctx, QWidget* parent,
                                 notation::NotationSession* notation)
    : QDialog(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("CharCountDialog"));
    setWindowTitle(QStringLiteral("文字カウント"));
    setModal(!notation);

    const charcount::Report report = charcount::countReport(ctx);
    m_frame1 = named(new QGroupBox(report.frame, this), "Frame1");
    const QString captions[6] = {report.withBlanks, report.withoutBlanks, report.lines,
                                 report.type,       report.size,          report.date};
    static const char* const names[6] = {"Label1", "Label2", "Label3",
                                         "Label4", "Label5", "Label6"};
    auto* labels = new QVBoxLayout(m_frame1);
    for (int i = 0; i < 6; ++i) {
        m_labels[i] = named(new QLabel(captions[i], m_frame1), names[i]);
        m_labels[i]->setTextFormat(Qt::PlainText);
        labels->addWidget(m_labels[i]);
    }
    m_command1 = named(new QPushButton(QStringLiteral("OK(&O)"), this), "Command1");
    m_command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1);
    if (notation)
        layout->addWidget(
            new NotationCountWidget(*notation, settings::iniPath(ctx.programDir), this), 1);
    layout->addWidget(m_command1, 0, Qt::AlignHCenter);
    layout->setContentsMargins(12, 10, 12, 12);
    connect(m_command1, &QPushButton::clicked, this, &QDialog::accept);
}
