#include "ui/kit/SkinDocument.h"

#include <QFile>
#include <QXmlStreamReader>
#include <array>
#include <set>

#include "ui/kit/AttributeValues.h"

namespace orv::kit {

namespace {

constexpr std::array kControlClasses = {"Control",       "Label",    "Text", "Button",
                                        "Option",        "CheckBox", "Edit", "HorizontalLayout",
                                        "VerticalLayout"};

bool IsControlClass(const std::string& name) {
    for (const char* c : kControlClasses) {
        if (name == c) {
            return true;
        }
    }
    return false;
}

enum class Kind { Bool, Int, Rect, RectOrInt, Size, Colour };

struct Checked {
    const char* name;
    Kind kind;
};

// Attributes whose values must have a fixed form; everything else is free text.
constexpr std::array kCheckedAttributes = {Checked{"visible", Kind::Bool},
                                           Checked{"enabled", Kind::Bool},
                                           Checked{"mouse", Kind::Bool},
                                           Checked{"float", Kind::Bool},
                                           Checked{"selected", Kind::Bool},
                                           Checked{"wordwrap", Kind::Bool},
                                           Checked{"password", Kind::Bool},
                                           Checked{"width", Kind::Int},
                                           Checked{"height", Kind::Int},
                                           Checked{"childpadding", Kind::Int},
                                           Checked{"maxchar", Kind::Int},
                                           Checked{"font", Kind::Int},
                                           Checked{"pos", Kind::Rect},
                                           Checked{"inset", Kind::Rect},
                                           Checked{"textpadding", Kind::Rect},
                                           Checked{"padding", Kind::Rect},
                                           Checked{"bordersize", Kind::RectOrInt},
                                           Checked{"borderround", Kind::Size},
                                           Checked{"bkcolor", Kind::Colour},
                                           Checked{"textcolor", Kind::Colour},
                                           Checked{"bordercolor", Kind::Colour},
                                           Checked{"disabledtextcolor", Kind::Colour},
                                           Checked{"hottextcolor", Kind::Colour},
                                           Checked{"pushedtextcolor", Kind::Colour},
                                           Checked{"selectedtextcolor", Kind::Colour}};

std::optional<std::string> CheckValue(const std::string& name, const std::string& value) {
    for (const Checked& c : kCheckedAttributes) {
        if (name != c.name) {
            continue;
        }
        bool ok = true;
        const char* expected = "";
        switch (c.kind) {
            case Kind::Bool:
                ok = value == "true" || value == "false" || value == "1" || value == "0";
                expected = "true or false";
                break;
            case Kind::Int:
                ok = attr::ToInt(value).has_value();
                expected = "a whole number";
                break;
            case Kind::Rect:
                ok = attr::ToRect(value).has_value();
                expected = "four numbers l,t,r,b";
                break;
            case Kind::RectOrInt:
                ok = attr::ToRect(value, true).has_value();
                expected = "a number or l,t,r,b";
                break;
            case Kind::Size:
                ok = attr::ToSize(value).has_value();
                expected = "two numbers x,y";
                break;
            case Kind::Colour:
                ok = attr::ToColour(value).has_value();
                expected = "a colour #AARRGGBB or #RRGGBB";
                break;
        }
        if (!ok) {
            return "attribute " + name + "=\"" + value + "\" must be " + expected;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string SkinError::What() const {
    return file + ":" + std::to_string(line) + ": " + message;
}

// Builds the tree while reading; a friend of Control.
class SkinBuilder {
public:
    SkinBuilder(const QByteArray& xml, std::string fileName)
        : reader_(xml), fileName_(std::move(fileName)) {}

    SkinParseResult Run() {
        SkinParseResult result;
        SkinDocument doc;
        if (!ReadDocument(doc)) {
            result.error = error_;
            return result;
        }
        result.document = std::move(doc);
        return result;
    }

private:
    bool Fail(std::string message, qint64 line = -1) {
        error_.file = fileName_;
        error_.line = static_cast<int>(line >= 0 ? line : reader_.lineNumber());
        error_.message = std::move(message);
        return false;
    }

    // True (with the error recorded) when the XML itself is broken.
    bool XmlFailed() {
        if (reader_.hasError()) {
            Fail("malformed XML: " + reader_.errorString().toStdString());
            return true;
        }
        return false;
    }

    std::map<std::string, std::string, std::less<>> Attributes() {
        std::map<std::string, std::string, std::less<>> out;
        for (const QXmlStreamAttribute& a : reader_.attributes()) {
            out[a.name().toString().toStdString()] = a.value().toString().toStdString();
        }
        return out;
    }

    bool ReadDocument(SkinDocument& doc) {
        while (!reader_.atEnd() && !reader_.isStartElement()) {
            reader_.readNext();
        }
        if (reader_.atEnd()) {
            return XmlFailed() ? false : Fail("no root element");
        }
        if (reader_.name() != u"Window") {
            return Fail("root element is <" + reader_.name().toString().toStdString() +
                        ">, expected <Window>");
        }
        const auto attrs = Attributes();
        if (const auto it = attrs.find("size"); it != attrs.end()) {
            const auto size = attr::ToSize(it->second);
            if (!size || size->cx < 0 || size->cy < 0) {
                return Fail("attribute size=\"" + it->second + "\" must be two numbers w,h");
            }
            doc.info.size = *size;
        }
        if (const auto it = attrs.find("caption"); it != attrs.end()) {
            const auto caption = attr::ToRect(it->second);
            if (!caption) {
                return Fail("attribute caption=\"" + it->second + "\" must be four numbers");
            }
            doc.info.caption = *caption;
        }
        if (const auto it = attrs.find("bkcolor"); it != attrs.end()) {
            if (!attr::ToColour(it->second)) {
                return Fail("attribute bkcolor=\"" + it->second + "\" must be a colour");
            }
            doc.info.bkcolor = it->second;
        }
        if (const auto it = attrs.find("bkimage"); it != attrs.end()) {
            doc.info.bkimage = it->second;
        }
        while (reader_.readNextStartElement()) {
            const std::string name = reader_.name().toString().toStdString();
            if (name == "Font") {
                if (!ReadFont(doc.info)) {
                    return false;
                }
            } else if (name == "Default") {
                if (!ReadDefault(doc.info)) {
                    return false;
                }
            } else if (IsControlClass(name)) {
                if (doc.root) {
                    return Fail("<Window> holds more than one root control (<" + name + ">)");
                }
                doc.root = ReadControl(doc.info);
                if (!doc.root) {
                    return false;
                }
            } else {
                return Fail("unknown element <" + name + ">");
            }
        }
        if (XmlFailed()) {
            return false;
        }
        // Anything after </Window> must still be well-formed.
        while (!reader_.atEnd()) {
            reader_.readNext();
        }
        if (XmlFailed()) {
            return false;
        }
        if (!doc.root) {
            return Fail("<Window> holds no control", reader_.lineNumber());
        }
        return true;
    }

    bool ReadFont(SkinWindowInfo& info) {
        const auto attrs = Attributes();
        SkinFont font;
        const auto get = [&](const char* key) {
            const auto it = attrs.find(key);
            return it == attrs.end() ? std::string() : it->second;
        };
        const auto id = attr::ToInt(get("id"));
        if (!id) {
            return Fail("<Font> needs a numeric id");
        }
        font.id = *id;
        font.family = get("name");
        if (const std::string size = get("size"); !size.empty()) {
            const auto n = attr::ToInt(size);
            if (!n || *n <= 0) {
                return Fail("<Font> size=\"" + size + "\" must be a positive number");
            }
            font.pixelSize = *n;
        }
        font.bold = attr::ToBool(get("bold"), false);
        font.italic = attr::ToBool(get("italic"), false);
        font.underline = attr::ToBool(get("underline"), false);
        font.isDefault = attr::ToBool(get("default"), false);
        for (const SkinFont& f : info.fonts) {
            if (f.id == font.id) {
                return Fail("<Font> id " + std::to_string(font.id) + " is defined twice");
            }
        }
        info.fonts.push_back(font);
        reader_.skipCurrentElement();
        return !XmlFailed();
    }

    bool ReadDefault(SkinWindowInfo& info) {
        auto attrs = Attributes();
        const auto it = attrs.find("class");
        if (it == attrs.end() || !IsControlClass(it->second)) {
            return Fail("<Default> needs class= naming a control class");
        }
        const std::string cls = it->second;
        attrs.erase(it);
        for (const auto& [name, value] : attrs) {
            if (const auto problem = CheckValue(name, value)) {
                return Fail(*problem);
            }
        }
        auto& target = info.defaults[cls];
        for (auto& [name, value] : attrs) {
            target[name] = value;
        }
        reader_.skipCurrentElement();
        return !XmlFailed();
    }

    std::unique_ptr<Control> ReadControl(const SkinWindowInfo& info) {
        const std::string cls = reader_.name().toString().toStdString();
        auto control = std::make_unique<Control>(cls);
        const qint64 line = reader_.lineNumber();
        for (auto& [name, value] : Attributes()) {
            if (const auto problem = CheckValue(name, value)) {
                Fail(*problem, line);
                return nullptr;
            }
            if (name == "font") {
                const int id = *attr::ToInt(value);
                bool known = false;
                for (const SkinFont& f : info.fonts) {
                    known = known || f.id == id;
                }
                if (!known) {
                    Fail("font=\"" + value + "\" names no <Font> of this skin", line);
                    return nullptr;
                }
            }
            control->attributes_[name] = value;
        }
        while (reader_.readNextStartElement()) {
            const std::string name = reader_.name().toString().toStdString();
            if (!IsControlClass(name)) {
                Fail("unknown element <" + name + "> inside <" + cls + ">");
                return nullptr;
            }
            auto child = ReadControl(info);
            if (!child) {
                return nullptr;
            }
            control->AddChild(std::move(child));
        }
        if (XmlFailed()) {
            return nullptr;
        }
        return control;
    }

    QXmlStreamReader reader_;
    std::string fileName_;
    SkinError error_;
};

SkinParseResult ParseSkinText(const std::string& xml, const std::string& fileName) {
    SkinBuilder builder(QByteArray::fromStdString(xml), fileName);
    return builder.Run();
}

SkinParseResult ParseSkinFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        SkinParseResult result;
        result.error = SkinError{path, 0, "cannot read: " + file.errorString().toStdString()};
        return result;
    }
    SkinBuilder builder(file.readAll(), path);
    return builder.Run();
}

}  // namespace orv::kit
