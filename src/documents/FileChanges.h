#pragma once

#include <QString>

struct CommandContext;

// Another program may write, replace or delete the document's file while it is open. These
// tie the document's file watch to the document's life and put the questions to the writer.

// The document's file holds its text now (just read or written, or the document has none):
// changes from here on are another program's. A text recovered from the backup follows no
// file, so the backups written every minute never count.
void followDocumentFile(CommandContext& ctx);

// Looks at what became of the file since it was followed and asks the writer what to do:
// reload an unchanged text, reload or keep a changed one; a deleted file leaves the text,
// marked as changed. Only while the writer can answer (the window is active).
void checkDocumentFile(CommandContext& ctx);

// Before 上書き保存: true unless another program changed the file since Pallo read or wrote
// it and the writer does not want it overwritten.
bool confirmOverwrite(CommandContext& ctx);

inline const QString kFileChangedQuestion =
    QStringLiteral("ファイルが他のプログラムによって変更されました。再読み込みしますか？");
