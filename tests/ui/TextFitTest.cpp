// Every text the program puts into a window or a menu fits its place, in English and Japanese:
// each skin is opened through the toolkit, every text a control can show is set into it in
// turn, and the text is measured with the font, box and flags the toolkit paints it with.
// A text fails when its drawn extent leaves its control, or when the drawn texts of two
// visible controls cover each other.

#include <gtest/gtest.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "device/SettingRecords.h"
#include "profile/ProfileModel.h"
#include "text/TextStore.h"
#include "ui/dialogs/HelpForm.h"
#include "ui/kit/Control.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/TextMeasure.h"

namespace orv::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::function<std::vector<std::string>(const TextStore&)>;

const std::string kDataFolder = std::string(ORV_TEST_DATA_DIR) + "/";
const std::string kResourceFolder = kDataFolder + "Resources/";
constexpr const char* kSkinFontFamily = "Noto Sans CJK JP";

// --- what the program can put into a control --------------------------------------------------

Texts ids(std::vector<int> numbers) {
    return [numbers](const TextStore& t) {
        std::vector<std::string> out;
        for (int n : numbers) {
            out.push_back(t.text(n));
        }
        return out;
    };
}

// Every function label a button editor or a test screen shows, in both host modes.
std::vector<std::string> functionLabels(const TextStore& t) {
    std::vector<std::string> out;
    for (HostMode mode : {HostMode::NS, HostMode::PC}) {
        for (int code = 0; code <= 17; ++code) {
            out.push_back(functionLabel(static_cast<FunctionCode>(code), mode, t));
        }
        out.push_back(functionLabel(kFunctionNone, mode, t));
    }
    return out;
}

std::vector<std::string> times(const TextStore&) {
    std::vector<std::string> out;
    for (int tenths = 1; tenths <= 30; ++tenths) {
        out.push_back(timeToText(static_cast<std::uint8_t>(tenths)));
    }
    return out;
}

std::vector<std::string> stickModes(const TextStore& t) {
    return {stickModeLabel(0, t), stickModeLabel(1, t), stickModeLabel(2, t)};
}
std::vector<std::string> rotations(const TextStore& t) {
    return {rotationLabel(0, t), rotationLabel(1, t), rotationLabel(2, t), rotationLabel(3, t)};
}
std::vector<std::string> sensitivities(const TextStore&) {
    std::vector<std::string> out;
    for (int sen = 25; sen <= 200; sen += 25) {
        out.push_back(sensitivityLabel(static_cast<std::uint8_t>(sen)));
    }
    return out;
}
std::vector<std::string> deadzones(const TextStore& t) {
    std::vector<std::string> out = {t.text(81)};
    for (int dz = 0; dz <= 50; dz += 5) {
        out.push_back(deadzoneLabel(static_cast<std::uint8_t>(dz), t));
    }
    return out;
}

// The widest names the naming dialogs accept (their edit takes 20 characters).
std::vector<std::string> longestNames(const TextStore&) {
    std::string latin;
    std::string kanji;
    for (int i = 0; i < 20; ++i) {
        latin += "W";
        kanji += "漢";
    }
    return {latin, kanji, "PROFILE1"};
}

// What the live test screens list: the last five buttons the controller produced, each
// followed by a space (the widest names of both host modes).
std::vector<std::string> recordedButtons(const TextStore&) {
    std::vector<std::string> out;
    for (const char* name : {"HOME", "START", "BACK", "\u25C1"}) {
        std::string five;
        for (int i = 0; i < 5; ++i) {
            five += std::string(name) + " ";
        }
        out.push_back(five);
    }
    return out;
}

// The status line while a profile is open, filled in with the longest name and a long file.
std::vector<std::string> statusLines(const TextStore& t) {
    std::vector<std::string> out;
    for (int id : {300, 301, 302, 303}) {
        std::string line = t.text(id);
        for (const auto& [placeholder, value] :
             {std::pair<std::string, std::string>{"{profile}", longestNames(t)[1]},
              {"{file}", "exported-profile-settings.db"}}) {
            if (const auto at = line.find(placeholder); at != std::string::npos) {
                line.replace(at, placeholder.size(), value);
            }
        }
        out.push_back(line);
    }
    return out;
}

struct ControlTexts {
    const char* control;
    Texts texts;
};

struct SkinCase {
    const char* skin;  // base name; "_english.xml"/"_japanese.xml" added when such files exist
    std::vector<ControlTexts> controls;
};

const std::vector<SkinCase>& skinCases() {
    static const std::vector<SkinCase> cases = {
        {"MainWindow",
         {{"FileMenuBtn", ids({25})},
          {"HelpMenuBtn", ids({29})},
          {"ProFilePromptLabel", ids({21})},
          {"ResetBtn", ids({22})},
          {"SaveBtn", [](const TextStore& t) {
               return std::vector<std::string>{t.text(23), t.text(23) + " \u25CF"};
           }},
          {"ProFileIndex1", [](const TextStore&) { return std::vector<std::string>{"\u25CF"}; }},
          {"StatusLabel", statusLines},
          {"Marks_J_ZL_P", [](const TextStore& t) {
               return std::vector<std::string>{t.text(309),
                                               t.text(306) + " " + t.text(307) + " " + t.text(308)};
           }},
          {"Marks_J_RSB_P", [](const TextStore& t) {
               return std::vector<std::string>{t.text(306) + " " + t.text(307) + " " + t.text(308)};
           }},
          {"MarkLegendLabel", ids({310})},
          {"ToolNameLabel", ids({400})},
          {"Caption_J_CAP_P", ids({304})},
          {"Caption_J_HOME_P", ids({305})},
          {"Caption_LStickSetBtn", ids({19})},
          {"Caption_RStickSetBtn", ids({20})},
          {"Caption_J_LSB_P", ids({1})},
          {"Caption_J_RSB_P", ids({18})},
          {"RestoreLastTimeBtn", ids({24})},
          {"TestPlayBtn", ids({54})},
          {"ProFileBtnl", longestNames},
          {"ProFileBtn2", longestNames},
          {"ProFileBtn6", longestNames}}},
        {"ProfileForm",
         {{"CreateLabel", ids({55})},
          {"EditLabel", ids({56})},
          {"NewLabel", ids({57})},
          {"NewProfileBtn", ids({58})},
          {"EditProfileBtn", ids({59})},
          {"CancelBtn", ids({60})}}},
        {"NewProfileNameForm",
         {{"PromptInforLabel", ids({61})}, {"OKBtn", ids({41})}, {"CancelBtn", ids({42})}}},
        {"RenameForm",
         {{"PromptInforLabel", ids({61})}, {"OKBtn", ids({41})}, {"CancelBtn", ids({42})}}},
        {"ConDisableForm",
         {{"PromptInfoLabel1", ids({62})},
          {"PromptInfoLabel2", ids({63})},
          {"OKBtn", ids({64})},
          {"CancelBtn", ids({65})}}},
        {"LDownSwitchConfirmFrom",
         {{"PromptInfoLabel1", ids({68})},
          {"PromptInfoLabel2", ids({69})},
          {"OKBtn", ids({64})},
          {"CancelBtn", ids({65})}}},
        {"LPressToFunBtnComForm",
         {{"PropmtInfoLabel", ids({70})}, {"OKBtn", ids({64})}, {"CancelBtn", ids({65})}}},
        {"ConnectionForm", {{"PromptInfoLabel", ids({66, 82})}, {"OKBtn", ids({67})}}},
        {"InitFaileForm", {{"PromptInfoLabel", ids({76})}, {"OKBtn", ids({67})}}},
        {"ExitInquiryFrom",
         {{"PromptInfoLabel", ids({110})}, {"OKBtn", ids({64})}, {"CancelBtn", ids({65})}}},
        {"QuitEditPromptFrom",
         {{"PromptInfoLabel1", ids({80})}, {"OKBtn", ids({64})}, {"CancelBtn", ids({65})}}},
        {"ResetDataFrom",
         {{"PromptInfoLabel", ids({75})}, {"OKBtn", ids({64})}, {"CancelBtn", ids({65})}}},
        {"SaveTipsFrom",
         {{"PromptInfoLabel", ids({74})}, {"OKBtn", ids({64})}, {"CancelBtn", ids({65})}}},
        {"SaveSuccessFrom", {{"PromptInfoLabel", ids({72})}, {"CancelBtn", ids({73})}}},
        {"VersionForm",
         {{"PromptInfoLabel",
           [](const TextStore& t) {
               return std::vector<std::string>{
                   HelpForm::versionLine(t, "v10.20.30-1234-gabcdef0-dirty")};
           }},
          {"LicenceLabel", ids({311})},
          {"ToolNameLabel", ids({400})},
          {"OKBtn", ids({73})}}},
        {"FunButtonForm",
         {{"PressBtn", functionLabels},
          {"LongPressBtn", functionLabels},
          {"TurboPosBtn", functionLabels},
          {"LDownPosTime", times},
          {"TurboTimeLabel", times},
          {"ConDisableTimeLabel", times}}},
        {"LPressSwitchForm",
         {{"LPressSetMenu1", functionLabels},
          {"LPressSetMenu5", functionLabels},
          {"LSwitchTimeLabel", times}}},
        {"StickSetForm",
         {{"LeftRightBtnMenu", stickModes},
          {"InsOriBtnMenu", rotations},
          {"SensitiveBtnMenu", sensitivities},
          {"UnrAreaBtnMenu", deadzones}}},
        {"TestBtnForm",
         {{"TitleLabel", ids({96, 98, 100, 102, 104})},
          {"DirTextLabel1", ids({97, 99, 101, 103, 105})},
          {"DirTextLabel2", ids({106, 107, 108, 109})},
          {"ShowSetBtnLabel", recordedButtons}}},
        {"TestSickAllForm",
         {{"TitleLabel", ids({94})},
          {"DirectionsLabel", ids({95})},
          {"StickLeftLabel", ids({86})},
          {"StickRightLabel", ids({87})},
          {"ShowSetBtnLabel", recordedButtons}}},
        {"TestSickLeftRightForm",
         {{"TitleLabel", ids({84})},
          {"DirectionsLabel", ids({85})},
          {"StickLeftLabel", ids({86})},
          {"StickRightLabel", ids({87})}}},
        {"TestSickOtherForm",
         {{"TitleLabel", ids({88, 90, 92})}, {"DirectionsLabel", ids({89, 91, 93})}}},
        {"LoadingForm", {}},
        {"BtnPressDirForm", {}},
        {"BtnLongPressDirForm", {}},
        {"BtnTurboPressDirForm", {}},
        {"BtnConDisableDirForm", {}},
        {"BtnLPressFiveDirForm", {}},
        {"StickDirectionDirForm", {}},
        {"StickLeftRightDirForm", {}},
        {"StickSensitivityDirForm", {}},
        {"StickUnrAreaDirForm", {}},
    };
    return cases;
}

// Menu items whose text the editors write into the shared menu files, with the text number.
const std::vector<std::pair<std::string, int>> kRewrittenMenuItems = {
    {"nothing", 35},   {"LStickBut", 1},      {"RStickBut", 18}, {"ModeNothing", 35},
    {"modeL", 19},     {"modeR", 20},         {"RotateNothing", 36}, {"Rrotate90", 37},
    {"Lrotate90", 38}, {"rotate180", 39},     {"DeadzoneNothing", 35}};

// --- measuring --------------------------------------------------------------------------------

class SkinWindow final : public kit::WindowImplBase {
public:
    explicit SkinWindow(std::string skin) : skin_(std::move(skin)) {}
    std::string GetWindowClassName() const override { return "TextFitWnd"; }
    std::string GetSkinFile() override { return skin_; }

private:
    std::string skin_;
};

std::string describe(const kit::Rect& r) {
    std::ostringstream s;
    s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return s.str();
}

bool contains(const kit::Rect& outer, const kit::Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool intersects(const kit::Rect& a, const kit::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void walk(kit::Control* c, const std::function<void(kit::Control&)>& visit) {
    if (c == nullptr) {
        return;
    }
    visit(*c);
    for (std::size_t i = 0; i < c->GetCount(); ++i) {
        walk(c->GetItemAt(i), visit);
    }
}

// Failures of one control showing one text, as readable lines.
std::vector<std::string> fitFailures(const kit::Control& c) {
    const std::optional<kit::Rect> drawn = kit::testing::DrawnTextRect(c);
    if (!drawn || contains(c.GetPos(), *drawn)) {
        return {};
    }
    return {"'" + c.GetName() + "' " + describe(c.GetPos()) + " cannot hold \"" + c.GetText() +
            "\": drawn over " + describe(*drawn)};
}

std::vector<std::string> overlapFailures(const kit::PaintManager& manager) {
    std::vector<std::pair<const kit::Control*, kit::Rect>> texted;
    walk(manager.GetRoot(), [&](kit::Control& c) {
        if (c.IsReallyVisible()) {
            if (const auto drawn = kit::testing::DrawnTextRect(c)) {
                texted.emplace_back(&c, *drawn);
            }
        }
    });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < texted.size(); ++i) {
        for (std::size_t j = i + 1; j < texted.size(); ++j) {
            const kit::Rect& a = texted[i].second;
            const kit::Rect& b = texted[j].second;
            if (intersects(a, b)) {
                out.push_back("texts of '" + texted[i].first->GetName() + "' " + describe(a) +
                              " and '" + texted[j].first->GetName() + "' " + describe(b) +
                              " overlap");
            }
        }
    }
    return out;
}

std::string skinFileFor(const std::string& base, const std::string& language) {
    const std::string localised = base + "_" + language + ".xml";
    return fs::exists(kResourceFolder + localised) ? localised : base + ".xml";
}

class TextFitTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        kit::PaintManager::SetInstancePath(kDataFolder);
        kit::PaintManager::SetResourcePath(kResourceFolder);
        ASSERT_TRUE(texts.open(kDataFolder + "MultiLingual.db")) << texts.lastError();
        texts.language = GetParam();
    }
    void TearDown() override {
        for (kit::WindowHandle window : kit::LiveWindows()) {
            if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
                w->DestroyWindow();
            }
        }
    }
    TextStore texts;
};

TEST_P(TextFitTest, EveryTextOfEverySkinFitsItsControl) {
    for (const SkinCase& skinCase : skinCases()) {
        const std::string file = skinFileFor(skinCase.skin, texts.language);
        SCOPED_TRACE(file);
        auto* window = new SkinWindow(file);
        const kit::WindowHandle handle =
            window->Create(kit::kNoWindow, "TextFit", kit::style::Visible, 0);
        ASSERT_NE(handle, kit::kNoWindow) << window->GetCreateError();
        kit::PaintManager& manager = window->GetPaintManager();

        // The skin's own texts (localised skins carry their texts in the file).
        walk(manager.GetRoot(), [&](kit::Control& c) {
            if (c.IsReallyVisible()) {
                for (const std::string& f : fitFailures(c)) {
                    ADD_FAILURE() << f;
                }
            }
        });
        // Every text the program may set, one after the other; the widest stays for the
        // overlap check.
        for (const ControlTexts& entry : skinCase.controls) {
            kit::Control* c = manager.FindControl(entry.control);
            ASSERT_NE(c, nullptr) << entry.control;
            std::string tallest;
            int tallestArea = -1;
            for (const std::string& text : entry.texts(texts)) {
                EXPECT_FALSE(text.empty()) << entry.control << " gets an empty text";
                c->SetText(text);
                for (const std::string& f : fitFailures(*c)) {
                    ADD_FAILURE() << f;
                }
                const kit::Rect drawn = kit::testing::DrawnTextRect(*c).value_or(kit::Rect{});
                if (drawn.Width() * drawn.Height() > tallestArea) {
                    tallestArea = drawn.Width() * drawn.Height();
                    tallest = text;
                }
            }
            c->SetText(tallest);
        }
        for (const std::string& f : overlapFailures(manager)) {
            ADD_FAILURE() << f;
        }
        window->DestroyWindow();
    }
}

// Menus: every item, as the file has it and as the program rewrites it, fits the menu's width
// at the menu's font (the toolkit draws items 12 pixels from the left, 8 from the right).
TEST_P(TextFitTest, EveryMenuItemFitsItsMenu) {
    std::size_t menus = 0;
    for (const auto& entry : fs::directory_iterator(kResourceFolder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".xml" || name.find("Menu") == std::string::npos) {
            continue;
        }
        const bool otherLanguage =
            (name.find("_english") != std::string::npos && texts.language != "english") ||
            (name.find("_japanese") != std::string::npos && texts.language != "japanese");
        if (otherLanguage) {
            continue;
        }
        SCOPED_TRACE(name);
        ++menus;
        boost::property_tree::ptree tree;
        boost::property_tree::read_xml(entry.path().string(), tree);
        const auto& window = tree.get_child("Window");
        const std::string family = window.get<std::string>("<xmlattr>.font", "");
        const int pixelSize = window.get<int>("<xmlattr>.fontsize", 14);
        const int width = window.get<int>("<xmlattr>.width", 180) - 12 - 8;
        const int height = window.get<int>("<xmlattr>.itemheight", 30);
        for (const auto& [tag, item] : window.get_child("Menu")) {
            if (tag != "MenuElement") {
                continue;
            }
            const std::string itemName = item.get<std::string>("<xmlattr>.name", "");
            std::string text = item.get<std::string>("<xmlattr>.text", "");
            for (const auto& [rewrittenName, id] : kRewrittenMenuItems) {
                if (itemName == rewrittenName) {
                    text = texts.text(id);
                }
            }
            const kit::Size drawn = kit::testing::MenuTextSize(family, pixelSize, text);
            EXPECT_LE(drawn.cx, width) << itemName << " \"" << text << "\"";
            EXPECT_LE(drawn.cy, height) << itemName;
        }
    }
    EXPECT_GT(menus, 10u);
}

// The shared menu files ship with the English texts of the store, so the first run in English
// has nothing to rewrite and a file never disagrees with the editor that shows the same item.
TEST(ShippedMenus, HoldTheStoreTextsOfTheItemsTheEditorsRewrite) {
    TextStore english;
    ASSERT_TRUE(english.open(kDataFolder + "MultiLingual.db")) << english.lastError();
    const fs::path source = fs::path(ORV_TEST_SOURCE_DIR) / "resources" / "menus";
    std::size_t checked = 0;
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".xml" || name.find('_') != std::string::npos) {
            continue;
        }
        boost::property_tree::ptree tree;
        boost::property_tree::read_xml(entry.path().string(), tree);
        for (const auto& [tag, item] : tree.get_child("Window.Menu")) {
            const std::string itemName = item.get<std::string>("<xmlattr>.name", "");
            for (const auto& [rewrittenName, id] : kRewrittenMenuItems) {
                if (itemName == rewrittenName && tag == "MenuElement") {
                    ++checked;
                    EXPECT_EQ(item.get<std::string>("<xmlattr>.text", ""), english.text(id))
                        << name << " " << itemName;
                }
            }
        }
    }
    EXPECT_GT(checked, 30u);
}

// The measurements mean something only with the font the skins name.
TEST_P(TextFitTest, TheSkinFontIsTheOneMeasured) {
    EXPECT_EQ(kit::testing::ResolvedFontFamily(kSkinFontFamily, 14), kSkinFontFamily);
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest, ::testing::Values("english", "japanese"),
                         [](const auto& language) { return std::string(language.param); });

}  // namespace
}  // namespace orv::testing
