// SPDX-License-Identifier: MIT
// The thumbnail grid's rules that need no window: cell places, captions,
// saved names, and the file-name dialog's layout. (The picture size each
// model takes is checked on the real view.)
#include "file_name_dlg.h"
#include "thumb_grid.h"

#include <gtest/gtest.h>

#include <array>

namespace ovaline::test {
namespace {

using namespace folder;

TEST(ThumbGrid, CellsRunInRowsOfSevenAndTheirEdgeLinesAreOutside) {
    EXPECT_EQ(pictureOrigin(0), QPoint(18, 20));
    EXPECT_EQ(pictureOrigin(7), QPoint(18, 120)) << "the eighth file starts the second row";
    EXPECT_EQ(pictureOrigin(34), QPoint(546, 420)) << "the 35th: column 6, row 4";
    EXPECT_EQ(cellRect(7), QRect(5, 110, 85, 90));
    EXPECT_EQ(captionOrigin(7), QPoint(23, 180));
    EXPECT_EQ(cellAt(QPoint(5, 110), 35), 7);
    EXPECT_EQ(cellAt(QPoint(89, 199), 35), 7);
    EXPECT_EQ(cellAt(QPoint(90, 150), 35), -1) << "the right edge line";
    EXPECT_EQ(cellAt(QPoint(50, 200), 35), -1) << "the bottom edge line";
    EXPECT_EQ(cellAt(QPoint(550, 430), 34), -1) << "only listed cells are hit";
    EXPECT_EQ(cellAt(QPoint(550, 430), 70), 34) << "and never more than 35";
}

TEST(ThumbGrid, CaptionsCutTheNameTo8BytesWithoutSplittingACharacter) {
    EXPECT_EQ(captionText(QStringLiteral("ABCDEFGHIJ.JPG")), QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(captionText(QStringLiteral("A.B.JPG")), QStringLiteral("A.B"));
    EXPECT_EQ(captionText(QStringLiteral("NODOTNAME12")), QStringLiteral("NODOTNAM"));
    EXPECT_EQ(captionText(QStringLiteral(".jpg")), QString());
    // é is 2 bytes, 日 3, the camera emoji 4: a character that would end
    // past the 8th byte is left out whole.
    EXPECT_EQ(captionText(QStringLiteral("abcdefgé.jpg")), QStringLiteral("abcdefg"));
    EXPECT_EQ(captionText(QStringLiteral("abcdeféx.jpg")), QStringLiteral("abcdefé"));
    EXPECT_EQ(captionText(QStringLiteral("日本語の写真.JPG")), QStringLiteral("日本"));
    EXPECT_EQ(captionText(QStringLiteral("ab\U0001F4F7\U0001F4F7.jpg")),
              QStringLiteral("ab\U0001F4F7"));
}

TEST(ThumbGrid, ATypedNameLosesItsLeadingBlanksAndAlwaysGainsJPG) {
    EXPECT_EQ(savedFileName(QStringLiteral("photo.jpg")), QStringLiteral("photo.jpg.JPG"));
    EXPECT_EQ(savedFileName(QStringLiteral(" photo")), QStringLiteral("photo.JPG"));
    EXPECT_EQ(savedFileName(QStringLiteral("\t photo ")), QStringLiteral("photo .JPG"));
    EXPECT_FALSE(savedFileName(QString()));
    EXPECT_FALSE(savedFileName(QStringLiteral("  \t")));

    const std::array<QString, 3> listed{QStringLiteral("photo.JPG"), QStringLiteral("été.jpg"),
                                        QStringLiteral("a.jpg.JPG")};
    EXPECT_TRUE(isNameListed(listed, QStringLiteral("PHOTO.JPG")));
    EXPECT_TRUE(isNameListed(listed, QStringLiteral("ÉTÉ.JPG")));
    EXPECT_FALSE(isNameListed(listed, QStringLiteral("a.JPG")));
    EXPECT_FALSE(isNameListed(std::span(listed).first(1), QStringLiteral("a.jpg.JPG")))
        << "only the listed entries count";
}

TEST(FileNameDialogLayout, ControlsSitOnTheLayoutUnits) {
    EXPECT_EQ(imageview::fileNameDialogSize(8, 18), QSize(352, 144));
    const QRect client(0, 0, 340, 110);
    const imageview::FileNameLayout layout = imageview::fileNameLayout(client, 8, 18);
    EXPECT_EQ(layout.cancelButton, QRect(48, 110 - 36, 64, 27));
    EXPECT_EQ(layout.okButton, QRect(208, 110 - 36, 64, 27));
    EXPECT_EQ(layout.nameEdit, QRect(16, 36, 240, 27));
    EXPECT_EQ(imageview::fileNameDialogDefaultPlace(QPoint(100, 50), 8, 18), QPoint(180, 230));
}

} // namespace
} // namespace ovaline::test
