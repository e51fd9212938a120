#pragma once

#include "notation/NotationSession.h"

#include <QLabel>
#include <QPointer>

// The status bar's panel of the live count for the chosen target: shown, and counting, only
// while the writer has asked for it.
class NotationStatusWidget : public QLabel {
    Q_OBJECT
public:
    explicit NotationStatusWidget(notation::NotationSession& session, QWidget* parent = nullptr);
    ~NotationStatusWidget() override;

private:
    void follow();

    notation::NotationSession& m_session;
    QPointer<notation::NotationSession> m_alive;
    bool m_holding = false;
};
