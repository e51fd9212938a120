#pragma once

#include "documents/PrintDocument.h"

// A progress window that only records: the bars shown and whether it is open.
class FakeProgress : public PrintProgressPort {
public:
    bool shown = false, cancel = false;
    QStringList bars;
    void showProgress() override { shown = true; }
    void setBar(const QString& bar) override { bars << bar; }
    void closeProgress() override { shown = false; }
    bool cancelRequested() const override { return cancel; }
};
