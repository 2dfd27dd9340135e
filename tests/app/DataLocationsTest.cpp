// Where the program looks for its print template: the user's copy, beside the program, the
// shipped copy under share/zelta, in that order, and where the designer writes it back.
#include "DataLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Place = DataLocations::Place;

class Places : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(shipped).absolutePath()));
        removeUserData();
    }
    void TearDown() override { removeUserData(); }

    static void removeUserData()
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }
    static void put(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<TfrxReport/>");
    }

    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("bin"));
    const QString user = DataLocations::userTemplatePath();
    const QString beside = root.filePath(QStringLiteral("bin/shablon.ze3"));
    const QString shipped = root.filePath(QStringLiteral("share/zelta/shablon.ze3"));
    const DataLocations locations{program};
};

TEST_F(Places, TheFirstPlaceHoldingATemplateIsUsed)
{
    const struct
    {
        const char *what;
        QList<Place> present;
        Place used;
    } cases[] = {
        {"all three", {Place::UserData, Place::BesideProgram, Place::Shipped}, Place::UserData},
        {"the user's copy over the shipped one", {Place::UserData, Place::Shipped}, Place::UserData},
        {"a build folder", {Place::BesideProgram, Place::Shipped}, Place::BesideProgram},
        {"a fresh installation", {Place::Shipped}, Place::Shipped},
    };
    const QMap<Place, QString> paths{
        {Place::UserData, user}, {Place::BesideProgram, beside}, {Place::Shipped, shipped}};
    for (const auto &c : cases) {
        for (const QString &path : paths)
            QFile::remove(path);
        for (Place place : c.present)
            put(paths[place]);
        const std::optional<DataLocations::Location> found = locations.findTemplate();
        ASSERT_TRUE(found.has_value()) << c.what;
        EXPECT_EQ(found->place, c.used) << c.what;
        EXPECT_EQ(found->path, QDir::toNativeSeparators(paths[c.used])) << c.what;
    }
}

TEST_F(Places, NoTemplateAnywhereNamesEveryPlaceLookedIn)
{
    EXPECT_FALSE(locations.findTemplate().has_value());
    EXPECT_EQ(locations.notFoundMessage(),
              QStringLiteral("Шаблон печати «shablon.ze3» не найден. Он искался в:\n") + user + u'\n' +
                  beside + u'\n' + shipped);
}

// A data folder that cannot hold files (here a file stands in its place, which stops even root)
// or a folder named like the template is passed over, not an error.
TEST_F(Places, AnUnusableDataFolderIsPassedOver)
{
    put(shipped);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    put(folder);
    std::optional<DataLocations::Location> found = locations.findTemplate();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->place, Place::Shipped);

    removeUserData();
    ASSERT_TRUE(QDir().mkpath(user));
    found = locations.findTemplate();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->place, Place::Shipped);
}

TEST_F(Places, TheShippedTemplateIsDesignedIntoTheUsersCopy)
{
    put(beside);
    EXPECT_EQ(locations.designTarget({Place::Shipped, shipped}), user);
    EXPECT_EQ(locations.designTarget({Place::UserData, user}), user);
    EXPECT_EQ(locations.designTarget({Place::BesideProgram, beside}), beside)
        << "a build folder keeps its own";
}

} // namespace
