// The help page written out of the program: the page and a forwarding page that names the
// topic's anchor, topics cleaned to what an anchor and a file name can hold, and a page
// that has not changed left alone.
#include "ui/win32/help_page.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/win32/win32_test_support.h"

namespace astrelle::win32 {
namespace {

using astrelle::testing::ScratchFolder;

constexpr char kPage[] = "<html><body><h1 id=\"contents\">Help</h1></body></html>\n";

std::string Read(const std::string& path) {
    return ReadWholeFile(path).bytes;
}

TEST(HelpPage, TopicOpensAForwardingPageToItsAnchor) {
    ScratchFolder scratch;
    const std::string folder = scratch / "Astrelle";
    const std::optional<std::string> file = WriteHelpFiles(kPage, folder, "Universe_Stars");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, folder + "\\help-Universe_Stars.html");
    EXPECT_EQ(Read(folder + "\\help.html"), kPage);
    const std::string forward = Read(*file);
    EXPECT_NE(forward.find("url=help.html#Universe_Stars\""), std::string::npos) << forward;
    EXPECT_NE(forward.find("href=\"help.html#Universe_Stars\""), std::string::npos) << forward;
}

TEST(HelpPage, TopicsKeepOnlyWhatAnAnchorHolds) {
    ScratchFolder scratch;
    const std::optional<std::string> file = WriteHelpFiles(kPage, scratch.path(), "a\"b<c>\\..d e-f_g");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, scratch / "help-abc..de-f_g.html");
    EXPECT_NE(Read(*file).find("#abc..de-f_g\""), std::string::npos);
}

TEST(HelpPage, WithoutATopicThePageItselfOpens) {
    ScratchFolder scratch;
    for (const char* topic : {"", "\"<>"}) {
        const std::optional<std::string> file = WriteHelpFiles(kPage, scratch.path(), topic);
        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(*file, scratch / "help.html");
    }
}

TEST(HelpPage, AnUnchangedPageIsNotWrittenAgainAChangedOneIs) {
    ScratchFolder scratch;
    ASSERT_TRUE(WriteHelpFiles(kPage, scratch.path(), "topic").has_value());
    // Each write replaces the file by another one: the same file means no write.
    const FileReadResult first = StatFile(scratch / "help.html");
    const FileReadResult firstForward = StatFile(scratch / "help-topic.html");
    EXPECT_TRUE(WriteHelpFiles(kPage, scratch.path(), "topic").has_value());
    EXPECT_EQ(StatFile(scratch / "help.html").inode, first.inode);
    EXPECT_EQ(StatFile(scratch / "help-topic.html").inode, firstForward.inode);
    EXPECT_TRUE(WriteHelpFiles("<html>newer</html>", scratch.path(), "topic").has_value());
    EXPECT_EQ(Read(scratch / "help.html"), "<html>newer</html>");
    EXPECT_NE(StatFile(scratch / "help.html").inode, first.inode);
}

TEST(HelpPage, AFolderThatCannotBeMadeFails) {
    ScratchFolder scratch;
    ASSERT_TRUE(astrelle::testing::WriteRawFile(scratch / "file", "x"));
    EXPECT_FALSE(WriteHelpFiles(kPage, scratch / "file", "topic").has_value());
}

}  // namespace
}  // namespace astrelle::win32
