#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>
#include <string>
#include <vector>

namespace orv::test {

// One row of resources/control-names.txt.
struct ExpectedName {
    std::string file;
    std::string name;
    std::string kind;
};

std::vector<ExpectedName> readNameTable(const std::filesystem::path& path);

// A named element of a skin, found anywhere in its tree.
struct NamedControl {
    std::string name;
    std::string kind;
};
std::vector<NamedControl> namedControls(const boost::property_tree::ptree& skin);

// Every value of an attribute whose name ends in "image", as (attribute, value) pairs.
std::vector<std::pair<std::string, std::string>> imageAttributes(
    const boost::property_tree::ptree& skin);

// The file a skin image value refers to, relative to the Resources folder: a bare name, or the
// path in "file='Resources/x.png' ..." with the folder removed.
std::string imageFile(const std::string& value);

// Width and height from a PNG file's header; {0, 0} when it is not a PNG.
std::pair<unsigned, unsigned> pngSize(const std::filesystem::path& path);

std::string readFile(const std::filesystem::path& path);

}  // namespace orv::test
