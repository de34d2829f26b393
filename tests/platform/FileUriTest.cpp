// File addresses made from raw path bytes, and read back.

#include <gtest/gtest.h>

#include "platform/shell/FileUri.h"

using namespace platform::shell;

TEST(FileUri, RawBytesArePercentEncoded) {
  const struct {
    const char* path;
    const char* uri;
  } cases[] = {
      {"/d/a.txt", "file:///d/a.txt"},
      {"/d/a b#%?.txt", "file:///d/a%20b%23%25%3F.txt"},
      {"/d/caf\xE9\n.txt", "file:///d/caf%E9%0A.txt"},
      {"/d/\xC3\xA9-_.~", "file:///d/%C3%A9-_.~"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileUri(c.path), c.uri);
    std::string back;
    ASSERT_TRUE(PathFromFileUri(c.uri, back));
    EXPECT_EQ(back, c.path);
  }
}

TEST(FileUri, ListsForTheClipboard) {
  EXPECT_EQ(UriList({"/a", "/b c"}), "file:///a\r\nfile:///b%20c\r\n");
  EXPECT_EQ(GnomeCopiedFiles({"/a", "/b"}), "copy\nfile:///a\nfile:///b");
  EXPECT_EQ(UriList({}), "");
}

TEST(FileUri, OnlyLocalFileAddressesGiveAPath) {
  std::string path;
  EXPECT_TRUE(PathFromFileUri("FILE://localhost/etc/x", path));
  EXPECT_EQ(path, "/etc/x");
  EXPECT_TRUE(PathFromFileUri("file:/etc/y", path));
  EXPECT_EQ(path, "/etc/y");
  EXPECT_FALSE(PathFromFileUri("http://host/x", path));
  EXPECT_FALSE(PathFromFileUri("file://otherhost/x", path));
  EXPECT_FALSE(PathFromFileUri("file:relative", path));
}
