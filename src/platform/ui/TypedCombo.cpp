#include "platform/ui/TypedCombo.h"

#include <QComboBox>
#include <QLineEdit>

QComboBox* makeTypedCombo(QComboBox* combo, QObject* keyFilter) {
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (keyFilter) {
        combo->installEventFilter(keyFilter);
        combo->lineEdit()->installEventFilter(keyFilter);
    }
    return combo;
}
