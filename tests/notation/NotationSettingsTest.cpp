#include "command/Settings.h"
#include "notation/NotationSession.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The choices come back as they were stored; a grid Pallo.ini spells wrongly, or one no page
// could hold, leaves the 20 × 20 page.
TEST(NotationSettings, StoredChoicesComeBack) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Pallo.ini"));
    EXPECT_EQ(notation::loadCountSettings(ini), notation::CountSettings{});
    const notation::CountSettings chosen{notation::Target::Pixiv, {40, 30, true, true}, true};
    notation::saveCountSettings(ini, chosen);
    EXPECT_EQ(notation::loadCountSettings(ini), chosen);
    for (const char* grid : {"0x20", "20x", "x", "20x20x1", "-5x3", "abc"}) {
        writeSetting(settings::kSection, QStringLiteral("notationgrid"), ini,
                     QString::fromLatin1(grid));
        const manuscript::GridOptions g = notation::loadCountSettings(ini).grid;
        EXPECT_EQ(std::make_pair(g.columns, g.rows), std::make_pair(20, 20)) << grid;
    }
}

} // namespace
