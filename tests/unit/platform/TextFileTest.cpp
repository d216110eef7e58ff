#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

using platform::TextFile;
using testsupport::readBytes;
using testsupport::writeBytes;

class TextFiles : public testing::Test {
protected:
    testsupport::TempFolder folder;
    const std::string path = folder.file("log.txt");

    std::string readAll(std::size_t chunk) {
        auto file = TextFile::open(path, TextFile::Mode::Read);
        std::string text;
        std::string buffer(chunk, '\0');
        while (const std::size_t n = file->read(buffer.data(), chunk)) {
            text.append(buffer.data(), n);
        }
        return text;
    }
};

TEST_F(TextFiles, WritingTurnsLineFeedsIntoCrLf) {
    auto file = TextFile::open(path, TextFile::Mode::Truncate);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write("first\nsecond"));
    EXPECT_TRUE(file->write("\n\n"));
    EXPECT_TRUE(file->close());
    EXPECT_EQ(readBytes(path), "first\r\nsecond\r\n\r\n");
}

TEST_F(TextFiles, AppendAddsAndTruncateEmpties) {
    writeBytes(path, "old\r\n");
    TextFile::open(path, TextFile::Mode::Append)->write("new\n");
    EXPECT_EQ(readBytes(path), "old\r\nnew\r\n");
    TextFile::open(path, TextFile::Mode::Truncate)->write("only\n");
    EXPECT_EQ(readBytes(path), "only\r\n");
}

TEST_F(TextFiles, ReadingTurnsCrLfIntoOneLineFeedWhateverTheChunks) {
    writeBytes(path, "a\r\nb\rc\r\n\r\nend\r");
    for (const std::size_t chunk : {1u, 2u, 3u, 64u}) {
        EXPECT_EQ(readAll(chunk), "a\nb\rc\n\nend\r") << "chunks of " << chunk;
    }
}

TEST_F(TextFiles, SeekAndTellCountBytesOfTheFile) {
    writeBytes(path, "x\r\ny\r\n");
    auto file = TextFile::open(path, TextFile::Mode::Read);
    ASSERT_TRUE(file->seek(0, TextFile::Origin::End));
    EXPECT_EQ(file->tell(), 6);
    ASSERT_TRUE(file->seek(1, TextFile::Origin::Begin));
    char buffer[8];
    // Four bytes of the file remain; as text they are two line feeds around the y.
    EXPECT_EQ(file->read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "\ny\n");
    EXPECT_EQ(file->tell(), 6);
}

TEST_F(TextFiles, MissingFileOrFolderDoesNotOpen) {
    EXPECT_FALSE(TextFile::open(path, TextFile::Mode::Read));
    EXPECT_FALSE(TextFile::open(folder.file("no/log.txt"), TextFile::Mode::Append));
    EXPECT_FALSE(TextFile::open(folder.path(), TextFile::Mode::Truncate));
}
