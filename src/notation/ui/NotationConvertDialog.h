#pragma once

#include "notation/Notation.h"

#include <QDialog>

class QComboBox;
class QPushButton;

// ルビ記法の変換: asks which notation the text is written in and which it should become.
class NotationConvertDialog : public QDialog {
    Q_OBJECT
public:
    NotationConvertDialog(notation::Target from, QWidget* parent = nullptr);

    notation::Target from() const;
    notation::Target to() const;
    QComboBox* fromBox() const { return m_from; }
    QComboBox* toBox() const { return m_to; }
    QPushButton* ok() const { return m_ok; }

private:
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QPushButton* m_ok = nullptr;
};
