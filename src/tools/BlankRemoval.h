#pragma once

#include <QString>

struct CommandContext;

// The tidying of the whole document: blanks, blank lines, or both. Each takes its own
// checkpoint first; only a real change of the text marks the document as changed.
namespace blanks {

// The text without its blanks: the half-width space and whatever compares equal to it as text
// (the full-width space), and tabs.
QString withoutSpaces(QStringView text);
// The text with a CR dropped before each CR CR LF's line break, every run of line breaks
// collapsed to one, and a line break at the very start removed.
QString withoutBlankLines(QStringView text);

void removeSpaces(CommandContext& ctx);
void removeBlankLines(CommandContext& ctx);
// removeSpaces then removeBlankLines, after a checkpoint of its own: one Undo returns to the
// text before the command.
void removeSpacesAndBlankLines(CommandContext& ctx);

} // namespace blanks
