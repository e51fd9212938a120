#include "command/Settings.h"
#include "command/NumberText.h"
#include "platform/Cp932Codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = settings::iniPath(dir.path());
    QString get(const QString& key) { return readSetting(QStringLiteral("data"), key, ini); }
    void put(const QString& key, const QString& value) {
        EXPECT_NE(writeSetting(QStringLiteral("data"), key, ini, value), 0);
    }
};

} // namespace

TEST_F(SettingsFile, MissingReadsEmpty) {
    EXPECT_EQ(get(QStringLiteral("auto")), QString());
    put(QStringLiteral("top"), QStringLiteral("1"));
    EXPECT_EQ(get(QStringLiteral("auto")), QString());
}

TEST_F(SettingsFile, RoundTrips) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("fontsize"), QStringLiteral("10.5")},
        {QStringLiteral("forecolor"), QStringLiteral("-2147483640")},
        {QStringLiteral("fontname"), QStringLiteral("ＭＳ 明朝")},
        {QStringLiteral("y0"), QStringLiteral("です・ます")},
        {QStringLiteral("2cb"), QString()},
    };
    for (const auto& [key, value] : cases)
        put(key, value);
    for (const auto& [key, value] : cases)
        EXPECT_EQ(get(key), value) << key.toStdString();
}

TEST_F(SettingsFile, BlanksAroundAreTrimmed) {
    put(QStringLiteral("2cb"), QStringLiteral("  padded  "));
    EXPECT_EQ(get(QStringLiteral("2cb")), QStringLiteral("padded"));
}

TEST_F(SettingsFile, OnlyTheFirstLineOfAValueIsWritten) {
    put(QStringLiteral("2cb"), QStringLiteral("ab\r\ncd"));
    put(QStringLiteral("y1"), QStringLiteral("x\n[data]\ny2=evil"));
    put(QStringLiteral("y3"), QStringLiteral("p\rq"));
    EXPECT_EQ(get(QStringLiteral("2cb")), QStringLiteral("ab"));
    EXPECT_EQ(get(QStringLiteral("y1")), QStringLiteral("x"));
    EXPECT_EQ(get(QStringLiteral("y2")), QString());
    EXPECT_EQ(get(QStringLiteral("y3")), QStringLiteral("p"));
}

TEST_F(SettingsFile, LongValuesComeBackCutTo254Bytes) {
    put(QStringLiteral("y0"), QString(254, u'a'));
    put(QStringLiteral("y1"), QString(300, u'b'));
    put(QStringLiteral("y2"), QString(200, u'あ'));
    EXPECT_EQ(get(QStringLiteral("y0")), QString(254, u'a'));
    EXPECT_EQ(get(QStringLiteral("y1")), QString(254, u'b'));
    EXPECT_EQ(get(QStringLiteral("y2")), QString(127, u'あ'));
}

TEST_F(SettingsFile, FileIsShiftJis) {
    put(QStringLiteral("y0"), QStringLiteral("漢字"));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains(cp932::encode(u"y0=漢字")));
}

TEST(NumberText, ReadsLikeTheSettings) {
    EXPECT_EQ(numtext::toDouble(QStringLiteral(" 1 ")), 1.0);
    EXPECT_EQ(numtext::toDouble(QStringLiteral("10.5")), 10.5);
    EXPECT_FALSE(numtext::toDouble(QString()));
    EXPECT_FALSE(numtext::toDouble(QStringLiteral("1x")));
    EXPECT_EQ(numtext::toInt32(QStringLiteral("-2147483643")), -2147483643);
    EXPECT_FALSE(numtext::toInt32(QStringLiteral("2147483648")));
    EXPECT_EQ(numtext::toInt16(QStringLiteral("2.5")), 2); // half to even
    EXPECT_EQ(numtext::toInt16(QStringLiteral("3.5")), 4);
    EXPECT_FALSE(numtext::toInt16(QStringLiteral("70000")));
    EXPECT_FALSE(numtext::toInt16(QStringLiteral("1e999")));
}
