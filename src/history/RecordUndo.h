#pragma once

struct AppState;
class TextBox;

// Records a checkpoint of the whole text and the caret in the undo history.
void RecordUndo(AppState& state, TextBox& text);
