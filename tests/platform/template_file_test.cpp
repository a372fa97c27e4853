// Templates on real files: hand-written names in any case are found, and saving over a
// hand-edited template keeps its other lines.

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "settings/template_files.h"
#include "test_support.h"

namespace astrelle {
namespace {

using testing::ReadFileBytes;
using testing::ScratchDir;
using testing::WriteFileBytes;

TEST(TemplateFiles, SavingOverAHandEditedTemplateKeepsItsOtherLines) {
    ScratchDir dir;
    const std::string path = dir / "edited.glx";
    WriteFileBytes(path,
                   "; my favourite spirals\r\n"
                   "[unigal0]\r\n"
                   "galaxy_radius=5\r\n"
                   "my_note=keep me\r\n"
                   "[universe]\r\n"
                   "universe_stars=1234\r\n");
    {
        TemplateFile file(path);
        TemplateFields fields;
        GalaxyTypeTable galaxies{};
        CompositeTable composites{};
        MemorySettingsStore store;
        OpenTemplate(file, store, fields, galaxies, composites);
        EXPECT_EQ(galaxies[0].Radius, 5.0f);  // lower-case names are found
        EXPECT_EQ(fields.txtUni[0], "1234");
        galaxies[0].Radius = 600;
        ASSERT_TRUE(SaveTemplate(file, store, fields, galaxies, composites));
    }
    const std::string text = ReadFileBytes(path);
    // The value replaced in place with its spelling, the foreign key kept, new keys after it.
    EXPECT_EQ(
        text.rfind(
            "; my favourite spirals\r\n[unigal0]\r\ngalaxy_radius=600\r\nmy_note=keep me\r\n_UniGalPct=", 0),
        0u)
        << text.substr(0, 200);
    EXPECT_NE(text.find("\r\n[universe]\r\nuniverse_stars=1234\r\n"), std::string::npos);
    const std::string lower = AsciiLower(text);  // no second copy of either section
    EXPECT_EQ(lower.find("[unigal0]", lower.find("[unigal0]") + 1), std::string::npos);
    EXPECT_EQ(lower.find("[universe]", lower.find("[universe]") + 1), std::string::npos);
}

}  // namespace
}  // namespace astrelle
