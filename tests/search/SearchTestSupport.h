#pragma once

#include "search/FindCount.h"
#include "search/JumpCommands.h"
#include "search/ReplaceRun.h"
#include "support/FakeWindow.h"

// The three dialogs as scripted ports: fields and check boxes a test sets, and what the
// logic did to them.
struct FakeFindDialog : search::FindDialogPort {
    bool counting = false;
    QString typed;
    bool top = false;
    bool exactCase = false;
    QString caption = search::FindCount::kSearchButton;
    bool enabled = true;
    int focusCalls = 0;
    int unloads = 0;
    bool countMode() const override { return counting; }
    QString word() const override { return typed; }
    bool fromTop() const override { return top; }
    void setFromTop(bool checked) override { top = checked; }
    bool exact() const override { return exactCase; }
    void setSearchCaption(const QString& c) override { caption = c; }
    void setSearchEnabled(bool e) override { enabled = e; }
    void focusDocument() override { ++focusCalls; }
    void unload() override { ++unloads; }
};

struct FakeReplaceDialog : search::ReplaceDialogPort {
    QString find;
    QString replacement;
    bool top = false;
    bool exactCase = false;
    int unloads = 0;
    QString findText() const override { return find; }
    QString replaceText() const override { return replacement; }
    bool fromTop() const override { return top; }
    void setFromTop(bool checked) override { top = checked; }
    bool exact() const override { return exactCase; }
    void focusDocument() override {}
    void unload() override { ++unloads; }
};

struct FakeJumpDialog : search::JumpDialogPort {
    QString typed;
    int unloads = 0;
    QString target() const override { return typed; }
    void unload() override { ++unloads; }
};
