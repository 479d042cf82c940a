#include <gtest/gtest.h>

#include "CHashTable.h"

namespace
{

TEST(CHashTable, LookupIsExactAndCaseSensitive)
{
    CHashTable table(25);
    table.Insert("Lid Up Tooltip", "Raise the lid");
    EXPECT_STREQ(table.Lookup("Lid Up Tooltip"), "Raise the lid");
    EXPECT_EQ(table.Lookup("lid up tooltip"), nullptr);
    EXPECT_EQ(table.Lookup("Lid Up"), nullptr);
    EXPECT_EQ(table.Lookup(nullptr), nullptr);
}

TEST(CHashTable, InsertAppendsAndTheFirstEntryAnswers)
{
    CHashTable table(25);
    table.Insert("key", "first");
    table.Insert("key", "second");
    EXPECT_EQ(table.CountInBucket(table.BucketOf("key")), 2u);
    EXPECT_STREQ(table.Lookup("key"), "first");
}

TEST(CHashTable, RemovalTakesTheEntryMatchingKeyAndValue)
{
    CHashTable table(25);
    table.Insert("key", "first");
    table.Insert("key", "second");
    table.Insert("yek", "other"); // same bucket: same bytes in another order
    ASSERT_EQ(table.BucketOf("key"), table.BucketOf("yek"));
    EXPECT_FALSE(table.Remove("key", "other"));
    EXPECT_TRUE(table.Remove("key", "first"));
    EXPECT_STREQ(table.Lookup("key"), "second");
    EXPECT_TRUE(table.Remove("key", "second"));
    EXPECT_EQ(table.Lookup("key"), nullptr);
    EXPECT_STREQ(table.Lookup("yek"), "other");
    EXPECT_FALSE(table.Remove("key", "second"));
    // The bucket still appends after its tail was removed.
    table.Insert("key", "third");
    EXPECT_STREQ(table.Lookup("key"), "third");
    EXPECT_EQ(table.CountInBucket(table.BucketOf("key")), 2u);
}

TEST(CHashTable, ClearEmptiesEveryBucket)
{
    CHashTable table(25);
    table.Insert("a", "1");
    table.Insert("caf\xE9", "2");
    table.Clear();
    EXPECT_EQ(table.Lookup("a"), nullptr);
    EXPECT_EQ(table.Lookup("caf\xE9"), nullptr);
    table.Insert("a", "3");
    EXPECT_STREQ(table.Lookup("a"), "3");
}

TEST(CHashTable, EntriesAreOwnedCopies)
{
    CHashTable table(3);
    std::string key = "volatile";
    std::string value = "text";
    table.Insert(key.c_str(), value.c_str());
    key[0] = 'X';
    value[0] = 'X';
    EXPECT_STREQ(table.Lookup("volatile"), "text");
}

} // namespace
