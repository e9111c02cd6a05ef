// Whole-file reading and writing: a name that is not a regular file (a FIFO
// nobody writes to, a device, a folder) is refused at once, never waited on;
// a command line's own paths may still be streams.
#include "base/text_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace orrin::files {
namespace {

namespace fs = std::filesystem;

TEST(TextFiles, OnlyRegularFilesAreReadOrWrittenForTheBoard) {
  const fs::path dir = fs::temp_directory_path() / ("orrin_text_files_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string fifo = (dir / "fifo.txt").string(), plain = (dir / "plain.txt").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string out = "stale";
  // Each of these would block or never end if it were opened as a file.
  EXPECT_EQ(ReadWholeFile(fifo, 100, out), ReadResult::CannotRead);
  EXPECT_EQ(out, "");
  EXPECT_FALSE(WriteWholeFile(fifo, "data"));
  EXPECT_EQ(ReadWholeFile("/dev/zero", 100, out), ReadResult::CannotRead);
  EXPECT_EQ(ReadWholeFile(dir.string(), 100, out), ReadResult::CannotRead);
  EXPECT_FALSE(WriteWholeFile(dir.string(), "data"));

  // A regular file, through a link too, reads back what was written; one
  // past the limit is too large and leaves nothing.
  ASSERT_TRUE(WriteWholeFile(plain, std::string("a\r\nb\rc\n\xff")));
  fs::create_symlink(plain, dir / "link.txt");
  EXPECT_EQ(ReadWholeFile((dir / "link.txt").string(), 100, out), ReadResult::Ok);
  EXPECT_EQ(out, "a\r\nb\rc\n\xff");
  EXPECT_EQ(ReadWholeFile(plain, 7, out), ReadResult::TooLarge);
  EXPECT_EQ(out, "");

  // Streams where the caller accepts them: /dev/null reads empty.
  EXPECT_EQ(ReadWholeFile("/dev/null", 100, out, Accept::Streams), ReadResult::Ok);
  EXPECT_TRUE(WriteWholeFile("/dev/null", "data", Accept::Streams));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orrin::files
