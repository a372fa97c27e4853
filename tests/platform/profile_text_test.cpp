// Profile text: what is found, and that an edit touches only the line it must.

#include "platform/profile_text.h"

#include <gtest/gtest.h>

#include <random>

namespace astrelle {
namespace {

std::string Found(const ProfileText& doc, std::string_view section, std::string_view key) {
    auto v = doc.Find(section, key);
    return v ? std::string(*v) : std::string("<missing>");
}

TEST(ProfileText, ParsingAndSerialisingChangesNoByte) {
    std::mt19937 rng(7);
    std::string binary(200000, '\0');
    for (char& ch : binary) ch = static_cast<char>(rng());
    const std::string samples[] = {
        "\n\n",
        "[A]\nx=1",                                  // no final line end
        "\xEF\xBB\xBF[A]\r\nx=1\r\n\r\n; note\r\n",  // BOM and CRLF
        "junk\n[A\nno equals\n=no key\n[B]]\n  k  =  v  \n[a]\nx=2\n",
        "[A]\nlong=" + std::string(1'000'000, 'v') + "\n" + binary + "\n[B]\nkey=value\n",
        "[A]\r\nx=1\r",  // cut inside the final CRLF
    };
    for (const std::string& bytes : samples) EXPECT_TRUE(ProfileText(bytes).Serialize() == bytes);
    ProfileText hostile(samples[4]);
    EXPECT_EQ(hostile.Find("A", "long")->size(), 1'000'000u);
    EXPECT_EQ(Found(hostile, "B", "key"), "value");
}

TEST(ProfileText, FindsNamesWithoutRegardToCaseAndTheFirstOfDuplicates) {
    ProfileText doc(
        "orphan=1\n"
        "[Universe\\Galaxy3]\n"
        "\t Galaxy_Radius =\t 250 \n"
        "galaxy_radius=999\n"
        "; Galaxy_Rotation=5\n"
        "just words\n"
        "Empty=\n"
        "[ UNIVERSE\\GALAXY3 ]\n"
        "Galaxy_Distance=1\n"
        "[General]\r\n"
        "Message=a=b\r\n"
        "[Broken\n"
        "key=1\n");
    EXPECT_EQ(Found(doc, "universe\\galaxy3", "GALAXY_RADIUS"), "250");
    EXPECT_EQ(Found(doc, "Universe\\Galaxy3", "Galaxy_Rotation"), "<missing>");  // comment
    EXPECT_EQ(Found(doc, "Universe\\Galaxy3", "just words"), "<missing>");
    EXPECT_EQ(Found(doc, "Universe\\Galaxy3", "Empty"), "");
    EXPECT_EQ(Found(doc, "Universe\\Galaxy3", "Galaxy_Distance"), "<missing>");  // second copy of the section
    EXPECT_EQ(Found(doc, "General", "Message"), "a=b");  // CR removed, "=" in value kept
    EXPECT_EQ(Found(doc, "", "orphan"), "<missing>");
    EXPECT_EQ(Found(doc, "General", "key") + Found(doc, "Broken", "key"), "1<missing>");  // no header
}

TEST(ProfileText, EditsTouchOnlyTheirLine) {
    ProfileText doc(
        "; made by hand\n"
        "[General]\n"
        "  PixelSize = 3\n"
        "FocalLength=1.0\n"
        "; note=kept\n"
        "\n"
        "; next comes the universe\n"
        "[Universe]\n"
        "[general]\n"
        "PixelSize=8");
    ASSERT_TRUE(doc.Set("GENERAL", "pixelsize", "5"));        // in place, key keeps its spelling
    ASSERT_TRUE(doc.Set("General", "LockMessage", "hi"));     // after the last entry of the first copy
    ASSERT_TRUE(doc.Set("universe", "Universe_Stars", "9"));  // after a bare header
    ASSERT_TRUE(doc.Set("Advanced", "Adv_TimeDelay", "25"));  // new section at the end
    EXPECT_EQ(doc.Serialize(),
              "; made by hand\n[General]\n  PixelSize=5\nFocalLength=1.0\nLockMessage=hi\n; note=kept\n\n"
              "; next comes the universe\n[Universe]\nUniverse_Stars=9\n[general]\nPixelSize=8\n"
              "[Advanced]\nAdv_TimeDelay=25\n");
    EXPECT_EQ(Found(doc, "advanced", "adv_timedelay"), "25");

    ProfileText crlf("\xEF\xBB\xBF[A]\r\nx=1");  // new lines end the way the file's lines do
    ASSERT_TRUE(crlf.Set("A", "y", "2"));
    ASSERT_TRUE(crlf.Set("B", "z", "3"));
    EXPECT_EQ(crlf.Serialize(), "\xEF\xBB\xBF[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");

    // A file cut between CR and LF: the last value reads the same before and after a line
    // is appended behind it.
    ProfileText cut("[A]\nx=1\r");
    EXPECT_EQ(Found(cut, "A", "x"), "1");
    ASSERT_TRUE(cut.Set("B", "y", "2"));
    EXPECT_EQ(cut.Serialize(), "[A]\nx=1\r\n[B]\ny=2\n");
    EXPECT_EQ(Found(ProfileText(cut.Serialize()), "A", "x"), "1");
}

TEST(ProfileText, RefusesWhatWouldBreakTheLineStructure) {
    ProfileText doc("[A]\nx=1\n");
    EXPECT_FALSE(doc.Set("A", "x", "2\n[General]\nPixelSize=9"));
    EXPECT_FALSE(doc.Set("A]", "x", "2"));
    EXPECT_FALSE(doc.Set("A", "x=y", "2"));
    EXPECT_FALSE(doc.Set("A", "[x", "2"));
    EXPECT_FALSE(doc.Set("A", ";x", "2"));
    EXPECT_TRUE(doc.Set("A", "x", " 1 "));  // the value it has: nothing to change
    EXPECT_FALSE(doc.Set("A", std::string_view("x\0y", 3), "2"));
    EXPECT_FALSE(doc.Changed());
    EXPECT_EQ(doc.Serialize(), "[A]\nx=1\n");
}

}  // namespace
}  // namespace astrelle
