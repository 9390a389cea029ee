#include <gtest/gtest.h>

#include "KitTestSupport.h"
#include "ui/kit/SkinDocument.h"

namespace orv::kit {
namespace {

constexpr const char* kDialogSkin = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="420,220" caption="0,0,0,35" bkcolor="#FF20242E">
  <Font id="0" name="Noto Sans CJK JP" size="14" default="true"/>
  <Font id="1" name="Noto Sans CJK JP" size="18" bold="true"/>
  <Default class="Button" textcolor="#FFFFFFFF" font="0" align="center"/>
  <VerticalLayout inset="16,12,16,12" childpadding="8">
    <Label name="PromptInfoLabel" height="80" wordwrap="true" text="line one&#10;line two"/>
    <HorizontalLayout height="36" childpadding="12">
      <Control/>
      <Button name="OKBtn" width="120" normalimage="DialogBtn_Nor.png"/>
    </HorizontalLayout>
    <Button name="closebtn" float="true" pos="384,6,410,32" font="1"/>
  </VerticalLayout>
</Window>
)";

TEST(SkinParser, ReadsWindowFontsDefaultsAndTree) {
    const SkinParseResult result = ParseSkinText(kDialogSkin, "Dialog.xml");
    ASSERT_TRUE(result.ok()) << result.error->What();
    const SkinDocument& doc = *result.document;
    EXPECT_EQ(doc.info.size, (Size{420, 220}));
    EXPECT_EQ(doc.info.caption.bottom, 35);
    ASSERT_EQ(doc.info.fonts.size(), 2u);
    EXPECT_TRUE(doc.info.fonts[0].isDefault);
    EXPECT_TRUE(doc.info.fonts[1].bold);
    EXPECT_EQ(doc.info.fonts[1].pixelSize, 18);
    EXPECT_EQ(doc.info.defaults.at("Button").at("textcolor"), "#FFFFFFFF");

    Control& root = *doc.root;
    EXPECT_EQ(root.GetClass(), "VerticalLayout");
    ASSERT_EQ(root.GetCount(), 3u);
    EXPECT_EQ(root.GetItemAt(0)->GetName(), "PromptInfoLabel");
    EXPECT_EQ(root.GetItemAt(0)->GetText(), "line one\nline two");
    EXPECT_EQ(root.GetItemAt(1)->GetItemAt(1)->GetName(), "OKBtn");
    EXPECT_TRUE(root.GetItemAt(2)->IsFloat());
}

TEST(SkinParser, MalformedSkinsNameFileAndLine) {
    struct Case {
        const char* what;
        const char* xml;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"unclosed element", "<Window size=\"10,10\">\n<VerticalLayout>\n</Window>\n", 3,
         "malformed XML"},
        {"wrong root", "<Dialog/>\n", 1, "expected <Window>"},
        {"bad size", "<Window size=\"ten,10\">\n<Control/>\n</Window>", 1, "size"},
        {"unknown control",
         "<Window>\n<VerticalLayout>\n  <Slider name=\"s\"/>\n</VerticalLayout>\n</Window>", 3,
         "unknown element <Slider>"},
        {"bad boolean",
         "<Window>\n<VerticalLayout>\n\n  <Button visible=\"yes\"/>\n</VerticalLayout>\n</Window>",
         4, "visible"},
        {"bad pos", "<Window>\n<Button float=\"true\" pos=\"1,2,3\"/>\n</Window>", 2, "pos"},
        {"bad colour", "<Window>\n<Label textcolor=\"red\"/>\n</Window>", 2, "textcolor"},
        {"undefined font", "<Window>\n<Font id=\"0\" size=\"12\"/>\n<Label font=\"3\"/>\n</Window>",
         3, "font=\"3\""},
        {"two roots", "<Window>\n<Control/>\n<Control/>\n</Window>", 3, "more than one"},
        {"no control", "<Window>\n<Font id=\"0\" size=\"12\"/>\n</Window>", 3, "no control"},
        {"default without class",
         "<Window>\n<Default textcolor=\"#FFFFFFFF\"/>\n<Control/>\n</Window>", 2, "class="},
        {"empty file", "", 1, "malformed XML"},
    };
    for (const Case& c : cases) {
        const SkinParseResult result = ParseSkinText(c.xml, "Broken.xml");
        ASSERT_FALSE(result.ok()) << c.what;
        const SkinError& e = *result.error;
        EXPECT_EQ(e.file, "Broken.xml") << c.what;
        EXPECT_EQ(e.line, c.line) << c.what << ": " << e.What();
        EXPECT_NE(e.message.find(c.message), std::string::npos) << c.what << ": " << e.What();
        EXPECT_EQ(e.What().rfind("Broken.xml:" + std::to_string(c.line) + ": ", 0), 0u);
    }
}

TEST(SkinParser, MissingFileIsAnErrorNotACrash) {
    const std::string path = (test::ResourceFolder() / "NoSuchSkin.xml").string();
    const SkinParseResult result = ParseSkinFile(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->file, path);
    EXPECT_EQ(result.error->line, 0);
}

TEST(SkinParser, WindowWithBrokenSkinFailsToCreateAndReportsWhy) {
    test::WriteResource(
        "BrokenWindow.xml",
        "<Window>\n<VerticalLayout>\n<Button pos=\"x\"/>\n</VerticalLayout>\n</Window>\n");
    auto* window = new test::RecordingWindow("BrokenWindow.xml");
    EXPECT_EQ(window->Create(kNoWindow, "Broken", style::Dialog, 0), kNoWindow);
    EXPECT_NE(window->GetCreateError().find("BrokenWindow.xml:3:"), std::string::npos)
        << window->GetCreateError();
    // ShowModal on a failed window returns at once and releases the object.
    EXPECT_EQ(window->ShowModal(), -1);
}

}  // namespace
}  // namespace orv::kit
