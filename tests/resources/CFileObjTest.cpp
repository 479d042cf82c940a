#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "resources/CFileObj.h"

using namespace resources;

namespace
{

// Releases the file's one reference at the end of the test.
struct FileRef
{
    CFileObj* file = new CFileObj();
    ~FileRef() { file->Release(); }
};

TEST(CFileObj, ClosedUntilOpened)
{
    FileRef ref;
    EXPECT_FALSE(ref.file->IsOpen());
    EXPECT_FALSE(ref.file->Write("x", 1));
    EXPECT_EQ(ref.file->Position(), 0u);
}

TEST(CFileObj, OpenEmptiesAnExistingFile)
{
    TempFolder folder;
    const std::string path = folder.Write("log.txt", "previous contents");
    FileRef ref;
    ASSERT_TRUE(ref.file->Open(path));
    EXPECT_TRUE(ref.file->IsOpen());
    EXPECT_EQ(ref.file->Path(), path);
    ref.file->SetFlush(true);
    EXPECT_TRUE(ref.file->Write("new", 3));
    EXPECT_EQ(TempFolder::Read(path), "new");
}

TEST(CFileObj, WritesAdvancePositionAndSize)
{
    TempFolder folder;
    FileRef ref;
    ASSERT_TRUE(ref.file->Open(folder.File("data.bin")));
    ref.file->Write("abcd", 4);
    ref.file->Write("ef", 2);
    EXPECT_EQ(ref.file->Position(), 6u);
    EXPECT_EQ(ref.file->Size(), 6u);
    ASSERT_TRUE(ref.file->Open(folder.File("data.bin")));
    EXPECT_EQ(ref.file->Position(), 0u);
    EXPECT_EQ(ref.file->Size(), 0u);
}

TEST(CFileObj, WithoutFlushTheBytesWaitInTheBuffer)
{
    TempFolder folder;
    const std::string path = folder.File("buffered.txt");
    FileRef ref;
    ASSERT_TRUE(ref.file->Open(path));
    ref.file->Write("held", 4);
    EXPECT_EQ(TempFolder::Read(path), "");
    ref.file->SetFlush(true);
    ref.file->Write("!", 1);
    EXPECT_EQ(TempFolder::Read(path), "held!");
}

TEST(CFileObj, OpenFailsInAMissingFolder)
{
    TempFolder folder;
    FileRef ref;
    EXPECT_FALSE(ref.file->Open(folder.File("missing/log.txt")));
    EXPECT_FALSE(ref.file->IsOpen());
}

TEST(CRefObj, LastReleaseDeletes)
{
    CFileObj* file = new CFileObj();
    file->AddRef();
    EXPECT_EQ(file->RefCount(), 2);
    file->Release();
    EXPECT_EQ(file->RefCount(), 1);
    file->Release(); // deletes; the sanitizer build catches a leak or double free
}

} // namespace
