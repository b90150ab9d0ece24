#include "Pictures.h"
#include "WindowFixture.h"

#include <QDir>

namespace {

using PicturesTest = WindowFixture;

// Every picture has a twin drawn at twice its size, taken on a display scaled to
// 200 %; in the window's own pixels both are the same size.
TEST_F(PicturesTest, EachPictureHasASharpTwinForDoubleScale)
{
    MakeWindow();  // registers the pictures
    const QDir assets(QStringLiteral(":/assets"));
    const QStringList all = assets.entryList(QDir::Files);
    QStringList pictures = all.filter(QRegularExpression(QStringLiteral("\\.(png|jpg)$")));
    pictures.removeIf([](const QString &name) { return name.contains(QLatin1String("@2x")); });
    ASSERT_EQ(pictures.size(), 17);

    for (const QString &name : std::as_const(pictures)) {
        const QString path = assets.filePath(name);
        const QPixmap plain = LoadPicture(path, 1.0);
        const QPixmap sharp = LoadPicture(path, 2.0);
        ASSERT_FALSE(plain.isNull()) << name.toStdString();
        EXPECT_EQ(plain.devicePixelRatio(), 1.0) << name.toStdString();
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0) << name.toStdString();
        EXPECT_EQ(sharp.size(), plain.size() * 2) << name.toStdString();
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), plain.size()) << name.toStdString();
    }
}

}  // namespace
