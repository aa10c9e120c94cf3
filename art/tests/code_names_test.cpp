// The manifest against the program: every picture or sound name written in
// the program's sources is drawn, and every device kind's board picture has
// the size, terminals and turned versions the device expects.
#include "geometry.h"
#include "manifest.h"

#include "core/component.h"
#include "devices/device.h"
#include "devices/factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct FoundName {
    std::string name; // unescaped: "devpic\\node.tga" as the program holds it
    std::string where;
};

bool EndsWithAsset(const std::string& s) {
    if (s.size() < 5) return false;
    std::string ext = s.substr(s.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".tga" || ext == ".bmp" || ext == ".wav";
}

// The string literals of C++ source text naming a picture or a sound, with
// escapes resolved; comments are skipped.
std::vector<FoundName> AssetLiterals(const std::string& text, const std::string& file) {
    std::vector<FoundName> out;
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
            ++line;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            i += 2;
            while (i + 1 < text.size() && !(text[i] == '*' && text[i + 1] == '/'))
                line += text[i++] == '\n';
            ++i;
        } else if (c == '\'') {
            // A character literal: '"' must not open a string.
            ++i;
            while (i < text.size() && text[i] != '\'')
                i += text[i] == '\\' ? 2 : 1;
        } else if (c == '"') {
            std::string value;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) {
                    const char e = text[++i];
                    value += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                } else {
                    value += text[i];
                }
            }
            if (EndsWithAsset(value)) out.push_back({value, file + ":" + std::to_string(line)});
        }
    }
    return out;
}

std::vector<FoundName> ScanProgram() {
    std::vector<FoundName> found;
    const fs::path root(AMPERA_SOURCE_DIR);
    for (const char* dir : {"core", "devices", "views", "app"}) {
        if (!fs::is_directory(root / dir)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / dir)) {
            const fs::path& p = entry.path();
            const std::string ext = p.extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            // Tests make up names of their own (missing pictures and the like).
            if (p.string().find("/tests/") != std::string::npos) continue;
            std::ifstream in(p);
            std::stringstream text;
            text << in.rdbuf();
            for (FoundName& f : AssetLiterals(text.str(), fs::relative(p, root).string()))
                found.push_back(f);
        }
    }
    return found;
}

// A name the program builds at run time by putting an angle before the
// extension ("devpic\\comres" + "90" + ".tga") must be one of the manifest's
// turned names.
bool IsTurnedName(const std::string& name) {
    const art::Asset* a = art::Find(name);
    return a && !a->turnedFrom.empty();
}

TEST(CodeNames, ScannerReadsEscapesAndSkipsComments) {
    const std::string source =
        "// \"devpic\\\\comment.tga\"\n"
        "/* \"devpic\\\\block.tga\" */ const char* a = \"devpic\\\\node.tga\";\n"
        "char q = '\"'; const char* b = \"pic_syl\\\\power.bmp\"; const char* c = \"x.txt\";\n";
    const std::vector<FoundName> found = AssetLiterals(source, "f.cpp");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "devpic\\node.tga");
    EXPECT_EQ(found[0].where, "f.cpp:2");
    EXPECT_EQ(found[1].name, "pic_syl\\power.bmp");
    EXPECT_EQ(found[1].where, "f.cpp:3");
}

// The device bar and the property pages name their pictures without a
// folder and find them under "pic\\".
bool IsBarPicture(const std::string& name) {
    return name.find('\\') == std::string::npos && art::Find("pic\\" + name) != nullptr;
}

TEST(CodeNames, EveryPictureAndSoundNamedInTheProgramIsDrawn) {
    const std::vector<FoundName> found = ScanProgram();
    ASSERT_FALSE(found.empty()) << "the scan found no names at all";
    for (const FoundName& f : found)
        EXPECT_TRUE(art::Find(f.name) != nullptr || IsTurnedName(f.name) || IsBarPicture(f.name))
            << f.where << ": " << f.name << " is not drawn";
}

TEST(DeviceKinds, BoardPicturesFitTheDevices) {
    for (const art::BodyGeometry& g : art::Bodies()) {
        std::unique_ptr<ampera::CComponent> made(ampera::CreateDevice(g.typeCode));
        auto* device = dynamic_cast<ampera::CDevice*>(made.get());
        ASSERT_NE(device, nullptr) << "type " << g.typeCode;
        const ampera::CDeviceKind& kind = device->Kind();
        EXPECT_EQ(kind.width, g.width) << kind.bodyPicture;
        EXPECT_EQ(kind.height, g.height) << kind.bodyPicture;
        EXPECT_EQ(kind.rotates, g.rotates) << kind.bodyPicture;
        ASSERT_EQ(kind.terminals.size(), g.terminals.size()) << kind.bodyPicture;
        for (std::size_t i = 0; i < g.terminals.size(); ++i) {
            EXPECT_EQ(kind.terminals[i].x, g.terminals[i].x()) << kind.bodyPicture << " terminal " << i;
            EXPECT_EQ(kind.terminals[i].y, g.terminals[i].y()) << kind.bodyPicture << " terminal " << i;
        }
        const art::Asset* body = art::Find(kind.bodyPicture);
        ASSERT_NE(body, nullptr) << kind.bodyPicture;
        EXPECT_EQ(body->typeCode, g.typeCode) << kind.bodyPicture;
        EXPECT_EQ(body->width, g.width);
        EXPECT_EQ(body->height, g.height);
        if (kind.rotates) {
            for (int angle : {90, 180, 270}) {
                device->m_angleLeft = angle;
                const art::Asset* turned = art::Find(device->PictureAtAngle(kind.bodyPicture));
                ASSERT_NE(turned, nullptr) << kind.bodyPicture << " at " << angle;
                EXPECT_EQ(turned->turn, angle);
            }
            device->m_angleLeft = 0;
        }
    }
}

TEST(DeviceKinds, EveryPictureOnABoardOrPanelIsDrawn) {
    for (const art::BodyGeometry& g : art::Bodies()) {
        std::unique_ptr<ampera::CComponent> device(ampera::CreateDevice(g.typeCode));
        ASSERT_NE(device, nullptr);
        for (const ampera::CSpriteGroup* group : {&device->m_boardGroup, &device->m_panelGroup})
            for (const auto* items : {&group->itemsB, &group->itemsA})
                for (const ampera::CDrawItem& item : *items) {
                    if (!item.texture.empty()) {
                        EXPECT_NE(art::Find(item.texture), nullptr)
                            << "type " << g.typeCode << ": " << item.texture;
                    }
                }
    }
}

} // namespace
