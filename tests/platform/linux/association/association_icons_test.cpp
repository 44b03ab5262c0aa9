#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>

namespace {

class AssociationIcon : public testing::TestWithParam<const char*> {};

// The settings tool points each association at "<tool folder>/icon/<extension>.ico".
TEST_P(AssociationIcon, IsAnIconFileTheDesktopCanRead) {
    const QString file = QStringLiteral(ICON_FOLDER "/") + GetParam() + QStringLiteral(".ico");
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), "ico");
    EXPECT_GE(reader.imageCount(), 3);
    QImage largest;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        if (image.width() > largest.width()) {
            largest = image;
        }
    }
    ASSERT_EQ(largest.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(largest.pixel(0, 0)), 0) << "the corner around the page is transparent";
    EXPECT_EQ(qAlpha(largest.pixel(24, 40)), 255);
}

INSTANTIATE_TEST_SUITE_P(ListedExtensions, AssociationIcon,
                         testing::Values("avi", "asf", "mov", "mid", "mp3", "mpg", "wav", "wma",
                                         "wmv", "wvx", "asx"));

}  // namespace
