// Checks the Resources folder the build produced against what the program looks up: every
// control and menu item of resources/control-names.txt, every picture a skin names, and every
// picture name the windows build at run time from a function, a profile number or a colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "ResourceIndex.h"

namespace fs = std::filesystem;
namespace pt = boost::property_tree;
using orv::test::ExpectedName;

namespace {

const fs::path kResources = fs::path(ORV_TEST_DATA_DIR) / "Resources";
const fs::path kSource = fs::path(ORV_TEST_SOURCE_DIR) / "resources";

const std::vector<ExpectedName>& nameTable() {
    static const std::vector<ExpectedName> rows =
        orv::test::readNameTable(kSource / "control-names.txt");
    return rows;
}

pt::ptree readXml(const fs::path& path, int flags = 0) {
    pt::ptree tree;
    pt::read_xml(path.string(), tree, flags);
    return tree;
}

bool isMenu(const pt::ptree& tree) {
    return tree.get_child_optional("Window.Menu").has_value();
}

std::vector<std::pair<std::string, std::string>> menuItems(const pt::ptree& tree) {
    std::vector<std::pair<std::string, std::string>> items;
    for (const auto& [kind, item] : tree.get_child("Window.Menu"))
        if (kind == "MenuElement")
            items.emplace_back(item.get<std::string>("<xmlattr>.name", ""),
                               item.get<std::string>("<xmlattr>.text", ""));
    return items;
}

std::string writeXml(const pt::ptree& tree) {
    std::ostringstream out;
    pt::write_xml(out, tree, pt::xml_writer_make_settings<std::string>('\t', 1, "utf-8"));
    return out.str();
}

std::vector<fs::path> sourceFiles(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kSource / folder))
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += "  " + l + "\n";
    return out;
}

// Picture families the windows name at run time. Stems keep the program's spellings.
const std::vector<std::string> kDefaultCells = {
    "default_up",       "default_dowm",    "default_left",      "default_right",
    "default_y",        "default_b",       "default_a",         "default_x",
    "default_L",        "default_LB",      "default_r",         "default_RB",
    "default_zl",       "default_LT",      "default_zr",        "default_RT",
    "default_minus",    "default_BACK",    "default_plus",      "default_START",
    "default_lsb",      "default_rsb",     "default_home",      "default_cap",
    "default_empty",    "StickSetBtn_Nor", "StickSetBtn_Empyt", "L-StickSetBtn_Nor",
    "R-StickSetBtn_Nor"};
const std::vector<std::string> kNameParts = {
    "Up", "Down", "Left", "Right", "Y",     "B",    "A",    "X",     "L",   "LB",  "R",    "RB",
    "ZL", "LT",   "ZR",   "RT",    "Minus", "BACK", "PLUS", "START", "LSB", "RSB", "HOME", "Cap"};
const std::vector<std::string> kColours = {"Green", "Yellow", "Red", "Purple", "Blue", "Gray"};

std::vector<std::string> missingPictures(const std::vector<std::string>& stems) {
    std::vector<std::string> missing;
    for (const std::string& stem : stems)
        for (const char* suffix : {".png", "@2x.png"})
            if (!fs::exists(kResources / (stem + suffix)))
                missing.push_back(stem + suffix);
    return missing;
}

}  // namespace

TEST(ResourceFiles, EveryListedControlAndMenuItemExistsWithItsKind) {
    ASSERT_FALSE(nameTable().empty());
    std::map<std::string, std::vector<const ExpectedName*>> byFile;
    for (const ExpectedName& row : nameTable())
        byFile[row.file].push_back(&row);
    std::vector<std::string> problems;
    for (const auto& [file, rows] : byFile) {
        const fs::path path = kResources / file;
        if (!fs::exists(path)) {
            problems.push_back(file + ": missing from Resources");
            continue;
        }
        const pt::ptree tree = readXml(path);
        std::multimap<std::string, std::string> found;
        if (isMenu(tree)) {
            for (const auto& [name, text] : menuItems(tree))
                found.emplace(name, "MenuElement");
        } else {
            for (const auto& control : orv::test::namedControls(tree))
                found.emplace(control.name, control.kind);
        }
        for (const ExpectedName* row : rows) {
            const auto [first, last] = found.equal_range(row->name);
            if (first == last)
                problems.push_back(file + ": no " + row->kind + " named " + row->name);
            else if (std::next(first) != last)
                problems.push_back(file + ": " + row->name + " defined more than once");
            else if (first->second != row->kind)
                problems.push_back(file + ": " + row->name + " is a " + first->second +
                                   ", expected " + row->kind);
        }
    }
    EXPECT_TRUE(problems.empty()) << join(problems);
}

TEST(ResourceFiles, EverySkinAndMenuIsListedAndCopied) {
    std::set<std::string> listed;
    for (const ExpectedName& row : nameTable())
        listed.insert(row.file);
    std::vector<std::string> problems;
    for (const char* folder : {"skins", "menus"}) {
        for (const fs::path& source : sourceFiles(folder)) {
            const std::string name = source.filename().string();
            // A skin without named controls (the loading cover) has nothing to list.
            const bool hasNames = !orv::test::namedControls(readXml(source)).empty();
            if (hasNames && !listed.count(name))
                problems.push_back(name + ": not in control-names.txt");
            if (orv::test::readFile(source) != orv::test::readFile(kResources / name))
                problems.push_back(name + ": copy in Resources differs from the source");
        }
    }
    EXPECT_TRUE(problems.empty()) << join(problems);
}

TEST(ResourceFiles, EverySkinHasOneRootControlAndASize) {
    std::vector<std::string> problems;
    for (const fs::path& source : sourceFiles("skins")) {
        const pt::ptree tree = readXml(kResources / source.filename());
        const std::string name = source.filename().string();
        const std::string size = tree.get<std::string>("Window.<xmlattr>.size", "");
        if (std::count(size.begin(), size.end(), ',') != 1)
            problems.push_back(name + ": Window has no size=\"w,h\"");
        int roots = 0;
        for (const auto& [kind, child] : tree.get_child("Window"))
            if (kind != "<xmlattr>" && kind != "<xmlcomment>" && kind != "Font" &&
                kind != "Default")
                ++roots;
        if (roots != 1)
            problems.push_back(name + ": " + std::to_string(roots) + " root controls");
    }
    EXPECT_TRUE(problems.empty()) << join(problems);
}

TEST(ResourceFiles, EveryPictureASkinNamesExistsAtBothDensities) {
    std::vector<std::string> problems;
    for (const fs::path& source : sourceFiles("skins")) {
        const pt::ptree tree = readXml(kResources / source.filename());
        for (const auto& [attribute, value] : orv::test::imageAttributes(tree)) {
            const std::string file = orv::test::imageFile(value);
            const std::string stem = file.substr(0, file.rfind(".png"));
            if (file.size() < 4 || file.compare(file.size() - 4, 4, ".png") != 0)
                problems.push_back(source.filename().string() + ": " + attribute + "=\"" + value +
                                   "\" is not a .png");
            for (const std::string& missing : missingPictures({stem}))
                problems.push_back(source.filename().string() + ": " + attribute + " needs " +
                                   missing);
        }
    }
    EXPECT_TRUE(problems.empty()) << join(problems);
}

TEST(ResourceFiles, EveryCellPictureTheWindowsCanNameExists) {
    std::vector<std::string> stems = kDefaultCells;
    for (int n = 1; n <= 6; ++n) {
        const std::string prefix = "profile" + std::to_string(n);
        for (const std::string& part : kNameParts) {
            stems.push_back(prefix + "_sel_" + part);
            stems.push_back(prefix + "_hot_" + part);
        }
        for (const char* look : {"_empty_sel", "_empty_hot", "_Stick_sel", "_Stick_hot"})
            stems.push_back(prefix + look);
    }
    EXPECT_TRUE(missingPictures(stems).empty()) << join(missingPictures(stems));
}

TEST(ResourceFiles, TabOptionAndEditorBackgroundsExistForEveryProfile) {
    std::vector<std::string> stems = {"FunSetBtnBK_Blank"};
    for (int n = 1; n <= 6; ++n) {
        stems.push_back("ProFile" + std::to_string(n) + "_nor");
        stems.push_back("ProFile" + std::to_string(n) + "_sel");
        stems.push_back("ProfileIndex" + std::to_string(n) + "_LightColor");
    }
    for (const std::string& colour : kColours) {
        stems.push_back("FunSetBtnBK_Deep" + colour);
        stems.push_back("FunSetBtnBK_Light" + colour);
    }
    EXPECT_TRUE(missingPictures(stems).empty()) << join(missingPictures(stems));
}

TEST(ResourceFiles, LanguageTipsHaveTheSizesTheMainWindowSets) {
    // The language switch sets the label to 88 x 19 (English) or 35 x 17 (Japanese).
    struct Case {
        const char* file;
        unsigned width;
        unsigned height;
    };
    for (const Case& c :
         {Case{"LanguageTip_english.png", 88, 19}, Case{"LanguageTip_english@2x.png", 176, 38},
          Case{"LanguageTip_japanese.png", 35, 17}, Case{"LanguageTip_japanese@2x.png", 70, 34}}) {
        const auto [w, h] = orv::test::pngSize(kResources / c.file);
        EXPECT_EQ(w, c.width) << c.file;
        EXPECT_EQ(h, c.height) << c.file;
    }
}

TEST(ResourceFiles, MenusSurviveTheProgramsRewrite) {
    std::vector<std::string> problems;
    for (const fs::path& source : sourceFiles("menus")) {
        const std::string name = source.filename().string();
        const fs::path copy = kResources / name;
        // The program reads without flags and writes with one tab per level: the items and
        // their texts must come back unchanged, and stay so on a second rewrite.
        const pt::ptree first = readXml(copy);
        const std::string written = writeXml(first);
        std::istringstream again(written);
        pt::ptree second;
        pt::read_xml(again, second);
        if (!isMenu(first) || menuItems(first).empty())
            problems.push_back(name + ": no Window.Menu items");
        else if (menuItems(first) != menuItems(second))
            problems.push_back(name + ": items change on a read and write");
        // The file is laid out as the writer lays it out, so a whitespace-trimming read and
        // write reproduces it byte for byte.
        if (writeXml(readXml(copy, pt::xml_parser::trim_whitespace)) != orv::test::readFile(copy))
            problems.push_back(name + ": not in the writer's layout");
    }
    EXPECT_TRUE(problems.empty()) << join(problems);
}

TEST(ResourceFiles, ProfileMenusUseTheirProfileColour) {
    pt::ptree palette;
    pt::read_json((kSource / "palette.json").string(), palette);
    std::vector<std::string> deep;
    for (const auto& [unused, profile] : palette.get_child("profiles"))
        deep.push_back(profile.get<std::string>("deep"));
    ASSERT_EQ(deep.size(), 6u);
    const std::vector<std::vector<std::string>> families = {
        {"BtnSetGreedMenu.xml", "BtnSetYellorMenu.xml", "BtnSetRedMenu.xml", "BtnSetPurpleMenu.xml",
         "BtnSetBlueMenu.xml", "BtnSetGrayMenu.xml"},
        {"LeftRightGreedMenu.xml", "LeftRightYellorMenu.xml", "LeftRightRedMenu.xml",
         "LeftRightPurpleMenu.xml", "LeftRightBlueMenu.xml", "LeftRightGrayMenu.xml"},
        {"InsOriGreedMenu.xml", "InsOriYellorMenu.xml", "InsOriRedMenu.xml", "InsOriPurpleMenu.xml",
         "InsOriBulMenu.xml", "InsOriGrayMenu.xml"},
        {"SensitiveGreedMenu.xml", "SensitiveYellorMenu.xml", "SensitiveRedMenu.xml",
         "SensitivePurpleMenu.xml", "SensitiveBluMenu.xml", "SensitiveGrayMenu.xml"},
        {"UnrAreaGreedMenu.xml", "UnrAreaYellorMenu.xml", "UnrAreaRedMenu.xml",
         "UnrAreaPurpleMenu.xml", "UnrAreaBuleMenu.xml", "UnrAreaGrayMenu.xml"}};
    for (const auto& family : families)
        for (size_t i = 0; i < family.size(); ++i)
            EXPECT_EQ(
                readXml(kResources / family[i]).get<std::string>("Window.<xmlattr>.hotbkcolor", ""),
                deep[i])
                << family[i];
}

TEST(ResourceFiles, DirectionsExplainEveryTopicInBothLanguages) {
    for (const char* topic :
         {"StickLeftRightDirForm", "StickDirectionDirForm", "StickSensitivityDirForm",
          "StickUnrAreaDirForm", "BtnPressDirForm", "BtnLongPressDirForm", "BtnTurboPressDirForm",
          "BtnConDisableDirForm", "BtnLPressFiveDirForm"}) {
        for (const char* language : {"_english.xml", "_japanese.xml"}) {
            const std::string file = std::string(topic) + language;
            std::string text;
            std::function<void(const pt::ptree&)> gather = [&](const pt::ptree& node) {
                for (const auto& [kind, child] : node) {
                    if (kind == "<xmlattr>")
                        text += child.get<std::string>("text", "");
                    else
                        gather(child);
                }
            };
            gather(readXml(kResources / file));
            EXPECT_GE(text.size(), 200u) << file << " explains too little";
            const bool japanese = std::any_of(text.begin(), text.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0xE3;
            });
            EXPECT_EQ(japanese, std::string(language) == "_japanese.xml") << file;
        }
    }
}
