#include "VxDibMgr.h"

#include <gtest/gtest.h>

namespace {

using VXM::VxDibMgr;

TEST(VxDibMgr, CreatesOnceAndDrawsBottomUp)
{
    VxDibMgr picture;
    EXPECT_FALSE(picture.Create(nullptr, 0, 5));
    EXPECT_FALSE(picture.IsValid());
    ASSERT_TRUE(picture.Create(nullptr, 4, 3));
    EXPECT_FALSE(picture.Create(nullptr, 4, 3)) << "already created";
    EXPECT_EQ(picture.GetSize(), 4u * 3 * 4);
    picture.Flush(0x11223344);
    EXPECT_EQ(picture.GetBits()[11], 0x11223344u);

    SetPixelV(picture.GetSafeHdc(), 0, 0, RGB(255, 0, 0));
    GdiFlush();
    EXPECT_EQ(picture.GetBits()[2 * 4] & 0xFFFFFF, 0xFF0000u) << "the top row is the last in memory";

    picture.Clear();
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetSafeHdc(), nullptr);
}

TEST(VxDibMgr, BackupRestoreAndResize)
{
    VxDibMgr picture;
    ASSERT_TRUE(picture.Create(nullptr, 2, 2));
    EXPECT_FALSE(picture.Restore());
    picture.Flush(7);
    ASSERT_TRUE(picture.Backup());
    picture.Flush(9);
    ASSERT_TRUE(picture.Restore());
    EXPECT_EQ(picture.GetBits()[3], 7u);

    VXM::GdiBitmap old;
    ASSERT_TRUE(picture.Resize(5, 1, &old));
    EXPECT_TRUE(old.Valid());
    EXPECT_FALSE(picture.IsBackup()) << "a resize drops the backup";
    EXPECT_EQ(picture.GetWidth(), 5);
    EXPECT_FALSE(picture.Resize(0, 0));
    EXPECT_EQ(picture.GetWidth(), 5) << "a failed resize keeps the picture";
}

}  // namespace
