#pragma once

class QWidget;

// Puts the input method of a text widget into one of the IME modes: 3 direct input, 4
// hiragana, 5 double-byte katakana, 6 single-byte katakana, 7 double-byte alphanumeric, 8
// single-byte alphanumeric. Where the platform offers no conversion modes the input method is
// only switched off (3) or on (the others).
void applyImeMode(QWidget* widget, int mode);
