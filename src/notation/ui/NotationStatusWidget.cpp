#include "notation/ui/NotationStatusWidget.h"

NotationStatusWidget::NotationStatusWidget(notation::NotationSession& session, QWidget* parent)
    : QLabel(parent), m_session(session), m_alive(&session) {
    setObjectName(QStringLiteral("PanelNotation"));
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    connect(&session, &notation::NotationSession::countChanged, this,
            &NotationStatusWidget::follow);
    setVisible(false);
    follow();
}

NotationStatusWidget::~NotationStatusWidget() {
    if (m_holding && m_alive) m_alive->release();
}

void NotationStatusWidget::follow() {
    const bool wanted = m_session.settings().statusPanel;
    if (wanted != m_holding) {
        m_holding = wanted;
        // hold() may recount, and a recount does not signal, so the text follows below.
        wanted ? m_session.hold() : m_session.release();
        setVisible(wanted);
    }
    if (wanted) setText(m_session.statusText());
}
