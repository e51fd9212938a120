#pragma once

class QComboBox;
class QObject;

// Makes `combo` an editable box whose value is the text typed into it. Qt's inline completion
// would rewrite what the writer typed ("ab" into a longer entry, "10" into "1000"), and Enter
// would add the text to the list: a list entry is taken only when it is chosen. The keys
// typed reach the combo box, which hands them to its line edit past any event filter, so
// `keyFilter`, when given, watches the combo box (and the line edit, for keys sent to it).
QComboBox* makeTypedCombo(QComboBox* combo, QObject* keyFilter = nullptr);
