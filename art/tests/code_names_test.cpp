// The manifest against the program: every picture or sound name written in
// the program's sources is drawn, every device kind's board picture is drawn
// from the geometry the kind builds with, at its size, with the turned
// versions it asks for, and every panel picture fits its device's controls.
#include "manifest.h"

#include "devices/device.h"
#include "devices/kind_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
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

// The board picture drawn for a kind: what the manifest pairs with the kind's
// picture name, checked against the geometry the kind itself builds with.
TEST(DeviceKinds, BoardPicturesAreDrawnFromTheKindsOwnGeometry) {
    const std::vector<ampera::CKindEntry>& kinds = ampera::DeviceKinds();
    ASSERT_FALSE(kinds.empty());
    for (const ampera::CKindEntry& entry : kinds) {
        const ampera::CDeviceKind& kind = *entry.kind;
        std::unique_ptr<ampera::CDevice> device(entry.create());
        ASSERT_EQ(&device->Kind(), &kind) << kind.bodyPicture;
        const art::Asset* picture = art::Find(kind.bodyPicture);
        ASSERT_NE(picture, nullptr) << kind.bodyPicture;
        EXPECT_EQ(picture->role, art::Role::Body) << kind.bodyPicture;
        ASSERT_NE(picture->body, nullptr) << kind.bodyPicture;
        const ampera::geometry::CBodyGeometry& drawn = *picture->body;
        EXPECT_EQ(picture->width, kind.body.width) << kind.bodyPicture;
        EXPECT_EQ(picture->height, kind.body.height) << kind.bodyPicture;
        EXPECT_EQ(drawn.width, kind.body.width) << kind.bodyPicture;
        EXPECT_EQ(drawn.height, kind.body.height) << kind.bodyPicture;
        EXPECT_EQ(drawn.rotates, kind.body.rotates) << kind.bodyPicture;
        ASSERT_EQ(drawn.terminalCount, kind.body.terminalCount) << kind.bodyPicture;
        for (std::size_t i = 0; i < drawn.terminalCount; ++i) {
            EXPECT_EQ(drawn.terminals[i].x, kind.body.terminals[i].x)
                << kind.bodyPicture << " terminal " << i;
            EXPECT_EQ(drawn.terminals[i].y, kind.body.terminals[i].y)
                << kind.bodyPicture << " terminal " << i;
        }
        if (kind.Rotates()) {
            for (int angle : {90, 180, 270}) {
                device->m_angleLeft = angle;
                const art::Asset* turned = art::Find(device->PictureAtAngle(kind.bodyPicture));
                ASSERT_NE(turned, nullptr) << kind.bodyPicture << " at " << angle;
                EXPECT_EQ(turned->turn, angle);
                EXPECT_EQ(turned->body, picture->body) << turned->name;
            }
            device->m_angleLeft = 0;
        }
    }
    // Every upright body picture belongs to exactly one kind.
    for (const art::Asset& a : art::Manifest()) {
        if (a.role != art::Role::Body || a.turn != 0) continue;
        const auto owners = std::count_if(kinds.begin(), kinds.end(), [&](const ampera::CKindEntry& e) {
            return a.name == e.kind->bodyPicture;
        });
        EXPECT_EQ(owners, 1) << a.name;
    }
}

TEST(DeviceKinds, EveryPictureOnABoardOrPanelIsDrawn) {
    for (const ampera::CKindEntry& entry : ampera::DeviceKinds()) {
        std::unique_ptr<ampera::CDevice> device(entry.create());
        for (const ampera::CSpriteGroup* group : {&device->m_boardGroup, &device->m_panelGroup})
            for (const auto* items : {&group->itemsB, &group->itemsA})
                for (const ampera::CDrawItem& item : *items) {
                    if (!item.texture.empty()) {
                        EXPECT_NE(art::Find(item.texture), nullptr)
                            << entry.kind->bodyPicture << ": " << item.texture;
                    }
                }
    }
}

// A panel picture is laid over the rectangle its device gives it, every
// control the device hit-tests lies on that picture, and every panel picture
// drawn is some device's panel.
TEST(DeviceKinds, PanelPicturesCoverTheirDevicesControls) {
    std::set<std::string> panels;
    for (const ampera::CKindEntry& entry : ampera::DeviceKinds()) {
        std::unique_ptr<ampera::CDevice> device(entry.create());
        const ampera::CDrawItem* face = nullptr;
        for (const ampera::CDrawItem& item : device->m_panelGroup.itemsB) {
            const art::Asset* a = art::Find(item.texture);
            if (a && a->role == art::Role::Panel) {
                face = &item;
                break;
            }
        }
        if (!face) {
            EXPECT_TRUE(device->m_controls.empty())
                << entry.kind->bodyPicture << " has controls but no panel";
            continue;
        }
        panels.insert(face->texture);
        const art::Asset* picture = art::Find(face->texture);
        EXPECT_EQ(face->left, 0) << face->texture;
        EXPECT_EQ(face->top, 0) << face->texture;
        EXPECT_EQ(face->right, picture->width) << face->texture;
        EXPECT_EQ(face->bottom, picture->height) << face->texture;
        for (std::size_t i = 0; i < device->m_controls.size(); ++i) {
            const ampera::CPanelRect r = device->m_controls[i]->GetRect();
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= picture->width &&
                        r.bottom <= picture->height && r.left < r.right && r.top < r.bottom)
                << face->texture << ": control " << i << " (" << device->m_controls[i]->m_label << ") at "
                << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        }
    }
    for (const art::Asset& a : art::Manifest()) {
        if (a.role == art::Role::Panel) {
            EXPECT_EQ(panels.count(a.name), 1u) << a.name << " is no device's panel";
        }
    }
}

// The artwork reads the devices' tables and the kind registry; it never
// numbers device kinds itself.
TEST(ArtSources, NameNoDeviceTypeCode) {
    const fs::path art = fs::path(AMPERA_SOURCE_DIR) / "art";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(art)) {
        const fs::path& p = entry.path();
        const std::string ext = p.extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        if (p.string().find("/tests/") != std::string::npos) continue;
        ++files;
        std::ifstream in(p);
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) {
            const std::size_t type = line.find("TYPE_");
            const bool typeName = type != std::string::npos && type + 5 < line.size() &&
                                  std::isupper(static_cast<unsigned char>(line[type + 5]));
            std::size_t c = line.find("case ");
            const bool numberedCase = c != std::string::npos && c + 5 < line.size() &&
                                      std::isdigit(static_cast<unsigned char>(line[c + 5]));
            EXPECT_FALSE(typeName || numberedCase)
                << fs::relative(p, art).string() << ":" << n << ": " << line;
        }
    }
    EXPECT_GT(files, 10);
}

} // namespace
