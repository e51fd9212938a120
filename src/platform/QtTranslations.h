#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (the standard dialogs, the buttons Qt names itself, the text box's context
// texts) in Japanese whatever the system's language, as the rest of the program speaks. The
// translations come from Qt's translations folder (Debian: qt6-translations-l10n). False when
// they are missing there: the program runs on with Qt's English texts.
bool installQtTranslations(QCoreApplication& app,
                           const QString& folder = QString() /* Qt's own folder */);
