#include "shell/CommandLine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using cmdline::Action;

TEST(CommandLine, Parses) {
    // The one existing file with blanks in its name, as the old one-string command line took it.
    const auto isFile = [](const QString& p) { return p == u"my notes.txt"_s; };
    struct Row {
        QStringList args;
        Action action;
        QString path;
        bool message;
    };
    const Row rows[] = {
        {{}, Action::Run, u""_s, false},
        {{u"原稿.txt"_s}, Action::Run, u"原稿.txt"_s, false},
        {{u" 原稿.txt  "_s}, Action::Run, u"原稿.txt"_s, false},
        {{u"\"a.txt\""_s}, Action::Run, u"\"a.txt\""_s, false},
        {{u"--help"_s}, Action::Help, u""_s, false},
        {{u"a.txt"_s, u"--version"_s}, Action::Version, u""_s, false},
        {{u"--"_s, u"--help"_s}, Action::Run, u"--help"_s, false},
        {{u"-"_s}, Action::Run, u"-"_s, false},
        {{u"my"_s, u"notes.txt"_s}, Action::Run, u"my notes.txt"_s, false},
        {{u"a.txt"_s, u"b.txt"_s}, Action::Run, u"a.txt"_s, true},
        {{u"--hlep"_s}, Action::Error, u""_s, true},
        {{u"-x"_s, u"a.txt"_s}, Action::Error, u""_s, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(u'|').toStdString());
        const cmdline::Parsed got = cmdline::parse(row.args, isFile);
        EXPECT_EQ(got.action, row.action);
        EXPECT_EQ(got.path, row.path);
        EXPECT_EQ(!got.message.isEmpty(), row.message);
    }
}

TEST(CommandLine, ErrorNamesTheOption) {
    EXPECT_TRUE(cmdline::parse({u"--frobnicate"_s}, {}).message.contains(u"--frobnicate"_s));
}
